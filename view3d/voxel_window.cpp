// The per-frame cube window: view transform, window walk and cube faces.
#include "view3d/voxel_window.h"

#include "assets/units.h"
#include "view3d/camera.h"
#include "view3d/cube_textures.h"
#include "world/block_codes.h"
#include "world/grid.h"
#include "world/view_cell.h"

#include <GL/gl.h>

int viewRadius = 14;

namespace {
struct Corner {
    float s, t;    // texture coordinate
    float x, y, z; // vertex of the cube of half-size 1
};

struct CubeFace {
    int dx, dy, dz; // the neighbour that hides this face when occupied
    float nx, ny, nz;
    Corner corners[4];
};

// The six faces. Rows run against GL's y axis (the window walk mirrors it),
// so the +Y face looks at row y - 1. Side faces put texture row 0 on the
// deeper layer: pictures stand upright seen from inside the world.
constexpr CubeFace plusZ{
    0, 0, 1, 0, 0, 1, {{0, 1, -1, -1, 1}, {1, 1, 1, -1, 1}, {1, 0, 1, 1, 1}, {0, 0, -1, 1, 1}}};
constexpr CubeFace minusZ{
    0, 0, -1, 0, 0, -1, {{1, 1, -1, -1, -1}, {1, 0, -1, 1, -1}, {0, 0, 1, 1, -1}, {0, 1, 1, -1, -1}}};
constexpr CubeFace plusY{
    0, -1, 0, 0, 1, 0, {{0, 1, -1, 1, -1}, {0, 0, -1, 1, 1}, {1, 0, 1, 1, 1}, {1, 1, 1, 1, -1}}};
constexpr CubeFace minusY{
    0, 1, 0, 0, -1, 0, {{1, 1, -1, -1, -1}, {0, 1, 1, -1, -1}, {0, 0, 1, -1, 1}, {1, 0, -1, -1, 1}}};
constexpr CubeFace plusX{
    1, 0, 0, 1, 0, 0, {{0, 1, 1, -1, -1}, {1, 1, 1, 1, -1}, {1, 0, 1, 1, 1}, {0, 0, 1, -1, 1}}};
constexpr CubeFace minusX{
    -1, 0, 0, -1, 0, 0, {{0, 1, -1, -1, -1}, {0, 0, -1, -1, 1}, {1, 0, -1, 1, 1}, {1, 1, -1, 1, -1}}};
constexpr CubeFace sideFaces[] = {plusY, minusY, plusX, minusX};

constexpr float halfScale = 0.5f; // the face table's cube spans -1..1

// One face, only where its neighbour is Air; any other code hides it.
void emitFace(const CubeFace& face, int x, int y, int z)
{
    if (gridCell(x + face.dx, y + face.dy, z + face.dz) != Air)
        return;
    glNormal3f(face.nx, face.ny, face.nz);
    for (const Corner& corner : face.corners) {
        glTexCoord2f(corner.s, corner.t);
        glVertex3f(corner.x, corner.y, corner.z);
    }
}

// The camera's view: pitch, then yaw, then the half turn that puts layers
// along the view axis, then the eye's offset inside its cell.
void applyViewTransform()
{
    const UnitRecord& player = playerUnit();
    glRotatef(viewPitch, 1, 0, 0);
    glRotatef(180 - viewYaw, 0, 0, 1);
    glRotatef(180, 1, 0, 0);
    glTranslatef(player.subX - 0.5f, player.subY - 0.5f, player.subZ - 0.5f);
}

// Inside the grid and off its outer shell, so all six neighbours exist.
bool drawable(int x, int y, int z)
{
    return x > 0 && x < worldSide - 1 && y > 0 && y < worldSide - 1 && z > 0 && z < layerCount - 1;
}
} // namespace

void drawVoxelWindow()
{
    applyViewTransform();
    const int cameraX = SX, cameraY = SY, cameraZ = SZ;
    for (int z = cameraZ - viewRadius; z < cameraZ + viewRadius; ++z)
        for (int y = cameraY - viewRadius; y < cameraY + viewRadius; ++y)
            for (int x = cameraX - viewRadius; x < cameraX + viewRadius; ++x) {
                glPushMatrix();
                glTranslatef(float(x - cameraX), float(cameraY - y), float(z - cameraZ));
                if (drawable(x, y, z))
                    drawVoxelCube(x, y, z);
                glPopMatrix();
            }
}

void drawVoxelCube(int x, int y, int z)
{
    if (x < 1 || y < 1)
        return;
    const std::uint8_t code = gridCell(x, y, z);
    if (code == Air)
        return;
    const GLuint texture = cubeTextureFor(code);
    glScalef(halfScale, halfScale, halfScale);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_COLOR_MATERIAL);
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor3f(1, 1, 1);
    glBegin(GL_QUADS);
    emitFace(plusZ, x, y, z);
    glEnd();
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    emitFace(minusZ, x, y, z);
    glEnd();
    glBegin(GL_QUADS);
    for (const CubeFace& face : sideFaces)
        emitFace(face, x, y, z);
    glEnd();
}
