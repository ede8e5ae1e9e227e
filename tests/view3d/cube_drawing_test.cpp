// The geometry the cube drawing sends to GL, captured in feedback mode: which
// faces each cube emits, their squares, winding and texture orientation, and
// which cells of the window are drawn at all.
#include "view_fixture.h"

#include "view3d/voxel_window.h"

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <functional>
#include <vector>

namespace {
struct Vertex {
    double x, y, z; // in the face table's units (cube of half-size 1)
    double s, t;
};
using Polygon = std::vector<Vertex>;

constexpr double cubeBox = 1;  // one cube at the origin: orthographic -1..1
constexpr double windowBox = 30; // the whole window of cells

// Runs `draw` with an orthographic projection of half-width `box` and
// returns the polygons GL would have rasterised, mapped back to model units
// of the face table (a cell's cube spans -1..1 around its centre).
std::vector<Polygon> capture(double box, const std::function<void()>& draw)
{
    std::vector<GLfloat> buffer(1 << 22);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-box, box, -box, box, -box, box);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    constexpr int vertexFloats = 3 + 4 + 4; // window xyz, RGBA, STRQ
    std::vector<Polygon> polygons;
    for (GLint i = 0; i < used;) {
        EXPECT_EQ(GLint(buffer[i]), GL_POLYGON_TOKEN);
        const int count = int(buffer[i + 1]);
        Polygon polygon;
        for (int v = 0; v < count; ++v) {
            const GLfloat* f = &buffer[i + 2 + v * vertexFloats];
            // Window to model: the viewport is 320 x 240; glOrtho flips z.
            const double ndcX = f[0] / 160 - 1, ndcY = f[1] / 120 - 1, ndcZ = 2 * f[2] - 1;
            polygon.push_back({2 * box * ndcX, 2 * box * ndcY, -2 * box * ndcZ, f[7], f[8]});
        }
        polygons.push_back(polygon);
        i += 2 + count * vertexFloats;
    }
    return polygons;
}

// GL may hand a quad back as two triangles: the quads a capture holds, each
// with its corners in first-seen order and winding of its first polygon.
std::vector<Polygon> quads(const std::vector<Polygon>& polygons)
{
    std::vector<Polygon> result;
    int pendingTriangles = 0;
    for (const Polygon& polygon : polygons) {
        if (pendingTriangles == 0)
            result.emplace_back();
        for (const Vertex& v : polygon) {
            bool known = false;
            for (const Vertex& corner : result.back())
                known = known || (std::abs(corner.x - v.x) + std::abs(corner.y - v.y) +
                                  std::abs(corner.z - v.z)) < 1e-3;
            if (!known)
                result.back().push_back(v);
        }
        pendingTriangles = (pendingTriangles + int(polygon.size()) - 2) % 2;
    }
    return result;
}

std::vector<Polygon> cubeFaces(int x, int y, int z)
{
    return quads(capture(cubeBox, [&] { drawVoxelCube(x, y, z); }));
}

std::size_t windowFaces()
{
    return quads(capture(windowBox, drawVoxelWindow)).size();
}

// The axis (0, 1, 2) and side (-1, +1) of the cube face a polygon lies on.
std::array<int, 2> facePlane(const Polygon& polygon)
{
    for (int axis = 0; axis < 3; ++axis) {
        auto at = [&](const Vertex& v) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; };
        bool flat = true;
        for (const Vertex& v : polygon)
            flat = flat && std::abs(at(v) - at(polygon[0])) < 1e-3;
        if (flat)
            return {axis, at(polygon[0]) > 0 ? 1 : -1};
    }
    return {-1, 0};
}

bool sameFace(const Polygon& polygon, int axis, int side)
{
    const auto plane = facePlane(polygon);
    return plane[0] == axis && plane[1] == side;
}

constexpr int cubeX = 50, cubeY = 60, cubeZ = 70;
} // namespace

TEST_F(View3D, ALoneCubeEmitsSixFullSquaresWoundOutwardWithUprightPictures)
{
    occupy(cubeX, cubeY, cubeZ);
    const auto faces = cubeFaces(cubeX, cubeY, cubeZ);
    ASSERT_EQ(faces.size(), 6u);
    int seen[3][2] = {};
    for (const Polygon& face : faces) {
        ASSERT_EQ(face.size(), 4u);
        const auto [axis, side] = facePlane(face);
        ASSERT_GE(axis, 0) << "a face off the cube's surface";
        ++seen[axis][side > 0];
        double corners = 0, textureCorners = 0;
        for (const Vertex& v : face) {
            for (double c : {v.x, v.y, v.z})
                corners += std::abs(std::abs(c) - 1);
            textureCorners += std::abs(v.s - std::round(v.s)) + std::abs(v.t - std::round(v.t));
        }
        EXPECT_LT(corners, 1e-2) << "every corner on a cube corner";
        EXPECT_EQ(textureCorners, 0) << "every corner on a texture corner";
        // Counter-clockwise seen from outside: the winding's normal points out.
        const Vertex &a = face[0], &b = face[1], &c = face[2];
        const double n[3] = {(b.y - a.y) * (c.z - b.z) - (b.z - a.z) * (c.y - b.y),
                             (b.z - a.z) * (c.x - b.x) - (b.x - a.x) * (c.z - b.z),
                             (b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x)};
        EXPECT_GT(n[axis] * side, 0) << "axis " << axis << " side " << side;
        // Side faces show the picture's bottom row towards the deeper layer.
        if (axis != 2) {
            for (const Vertex& v : face)
                EXPECT_EQ(v.t, v.z > 0 ? 0 : 1) << "axis " << axis << " side " << side;
        }
    }
    for (auto& axis : seen)
        EXPECT_EQ(axis[0] + axis[1], 2);
}

// Rows are mirrored on GL's y axis: the row below (y - 1) faces +y. The
// neighbour's code does not matter, only that it is not Air.
TEST_F(View3D, AnyOccupiedNeighbourHidesTheFaceTowardsIt)
{
    struct Case {
        int dx, dy, dz, axis, side;
    };
    const Case cases[] = {{1, 0, 0, 0, 1},  {-1, 0, 0, 0, -1}, {0, -1, 0, 1, 1},
                          {0, 1, 0, 1, -1}, {0, 0, 1, 2, 1},   {0, 0, -1, 2, -1}};
    for (const Case& c : cases) {
        gridCell(cubeX, cubeY, cubeZ) = Grass;
        occupy(cubeX + c.dx, cubeY + c.dy, cubeZ + c.dz, RoomMark);
        const auto faces = cubeFaces(cubeX, cubeY, cubeZ);
        EXPECT_EQ(faces.size(), 5u);
        for (const Polygon& face : faces)
            EXPECT_FALSE(sameFace(face, c.axis, c.side)) << c.dx << "," << c.dy << "," << c.dz;
        occupy(cubeX + c.dx, cubeY + c.dy, cubeZ + c.dz, Air);
    }
    for (int dz = -1; dz <= 1; ++dz)
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                occupy(cubeX + dx, cubeY + dy, cubeZ + dz, Brick);
    EXPECT_TRUE(cubeFaces(cubeX, cubeY, cubeZ).empty()) << "enclosed on all six sides";
    EXPECT_TRUE(cubeFaces(cubeX, cubeY, cubeZ + 5).empty()) << "an Air cell draws nothing";
}

TEST_F(View3D, AnEmptyWindowEmitsNoGeometry)
{
    EXPECT_EQ(windowFaces(), 0u);
}

// Looking from a corner of the grid: the outer shell stays out, the cells
// next to it are drawn, and so is a plan code beyond the texture table.
// Shell cells are not drawn but, being occupied, hide the faces towards them.
TEST_F(View3D, TheWindowLeavesTheGridsOuterShellOut)
{
    SX = 0;
    SY = 0;
    SZ = 1;
    viewPitch = 0;
    occupy(0, 5, 5);           // column 0
    occupy(5, 0, 5);           // row 0
    occupy(5, 5, 0);           // layer 0
    occupy(1, 7, 7);           // drawn
    occupy(7, 9, 3, RoomMark); // drawn, untextured
    occupy(13, 13, 15);        // beyond the window: layers run to SZ + 13
    EXPECT_EQ(windowFaces(), 12u);

    SX = SY = 255;
    SZ = layerCount - 1;
    occupy(254, 254, layerCount - 1);
    occupy(254, 255, layerCount - 2);
    occupy(254, 254, layerCount - 2); // shell cells still hide its faces
    EXPECT_EQ(windowFaces(), 4u);
}
