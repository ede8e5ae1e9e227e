// The cost of one 3D frame inside the generated dungeon, against a floor:
// the same GL calls replayed from a prepared list, with none of the grid
// walking, neighbour tests or camera work in between.
#include "bench/bench_view.h"

#include "assets/units.h"
#include "platform/video.h"
#include "platform/window.h"
#include "view3d/camera.h"
#include "view3d/cube_textures.h"
#include "view3d/read_back.h"
#include "view3d/scene3d.h"
#include "view3d/voxel_window.h"
#include "world/view_cell.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
struct Corner {
    float s, t, x, y, z;
};
struct Face {
    float nx, ny, nz;
    Corner corners[4];
};
// The cube faces in drawing order: +Z, -Z, then +Y, -Y, +X, -X.
constexpr Face faces[6] = {
    {0, 0, 1, {{0, 1, -1, -1, 1}, {1, 1, 1, -1, 1}, {1, 0, 1, 1, 1}, {0, 0, -1, 1, 1}}},
    {0, 0, -1, {{1, 1, -1, -1, -1}, {1, 0, -1, 1, -1}, {0, 0, 1, 1, -1}, {0, 1, 1, -1, -1}}},
    {0, 1, 0, {{0, 1, -1, 1, -1}, {0, 0, -1, 1, 1}, {1, 0, 1, 1, 1}, {1, 1, 1, 1, -1}}},
    {0, -1, 0, {{1, 1, -1, -1, -1}, {0, 1, 1, -1, -1}, {0, 0, 1, -1, 1}, {1, 0, -1, -1, 1}}},
    {1, 0, 0, {{0, 1, 1, -1, -1}, {1, 1, 1, 1, -1}, {1, 0, 1, 1, 1}, {0, 0, 1, -1, 1}}},
    {-1, 0, 0, {{0, 1, -1, -1, -1}, {0, 0, -1, -1, 1}, {1, 0, -1, 1, 1}, {1, 1, -1, 1, -1}}},
};
constexpr int faceNeighbours[6][3] = {{0, 0, 1}, {0, 0, -1}, {0, -1, 0},
                                      {0, 1, 0}, {1, 0, 0},  {-1, 0, 0}};

// One window position as the floor replays it.
struct Position {
    float tx, ty, tz;
    GLuint texture;
    bool cube;
    unsigned faceMask; // bit f: face f is drawn
};
std::vector<Position> recorded;

void setCamera()
{
    SX = benchview::viewX;
    SY = benchview::viewY;
    SZ = benchview::viewZ;
    playerUnit().subX = playerUnit().subY = playerUnit().subZ = 0.5f;
    viewYaw = benchview::viewYaw;
    viewPitch = benchview::viewPitch;
}

void recordWindow()
{
    const int r = viewRadius;
    for (int z = SZ - r; z < SZ + r; ++z)
        for (int y = SY - r; y < SY + r; ++y)
            for (int x = SX - r; x < SX + r; ++x) {
                Position p{float(x - SX), float(SY - y), float(z - SZ), 0, false, 0};
                const bool inside = x > 0 && x < worldSide - 1 && y > 0 && y < worldSide - 1 &&
                                    z > 0 && z < layerCount - 1;
                if (inside && gridCell(x, y, z) != Air) {
                    p.cube = true;
                    p.texture = cubeTextureFor(gridCell(x, y, z));
                    for (int f = 0; f < 6; ++f) {
                        const int* n = faceNeighbours[f];
                        if (gridCell(x + n[0], y + n[1], z + n[2]) == Air)
                            p.faceMask |= 1u << f;
                    }
                }
                recorded.push_back(p);
            }
}

void emitFace(int f)
{
    glNormal3f(faces[f].nx, faces[f].ny, faces[f].nz);
    for (const Corner& c : faces[f].corners) {
        glTexCoord2f(c.s, c.t);
        glVertex3f(c.x, c.y, c.z);
    }
}

void replayCube(const Position& p)
{
    glScalef(0.5f, 0.5f, 0.5f);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_COLOR_MATERIAL);
    glBindTexture(GL_TEXTURE_2D, p.texture);
    glColor3f(1, 1, 1);
    glBegin(GL_QUADS);
    if (p.faceMask & 1u)
        emitFace(0);
    glEnd();
    glBindTexture(GL_TEXTURE_2D, p.texture);
    glBegin(GL_QUADS);
    if (p.faceMask & 2u)
        emitFace(1);
    glEnd();
    glBegin(GL_QUADS);
    for (int f = 2; f < 6; ++f)
        if (p.faceMask & (1u << f))
            emitFace(f);
    glEnd();
}

// Every GL call of clearFrame and updateScene3D, in the same order.
void replayFrame(bool readBack)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glRotatef(viewPitch, 1, 0, 0);
    glRotatef(180 - viewYaw, 0, 0, 1);
    glRotatef(180, 1, 0, 0);
    glTranslatef(playerUnit().subX - 0.5f, playerUnit().subY - 0.5f, playerUnit().subZ - 0.5f);
    for (const Position& p : recorded) {
        glPushMatrix();
        glTranslatef(p.tx, p.ty, p.tz);
        if (p.cube)
            replayCube(p);
        glPopMatrix();
    }
    glLoadIdentity();
    if (readBack)
        glReadPixels(0, 0, view3DMode.width, view3DMode.height, GL_RGB, GL_UNSIGNED_BYTE, readBackBuffer.get());
    else
        glFinish();
}

// The floor is only a floor if it draws the very same picture.
void checkReplayMatchesFrame()
{
    const std::size_t bytes = std::size_t(view3DMode.width) * view3DMode.height * 3;
    clearFrame();
    updateScene3D();
    const std::vector<std::uint8_t> frame(readBackBuffer.get(), readBackBuffer.get() + bytes);
    setCamera();
    replayFrame(true);
    if (!std::equal(frame.begin(), frame.end(), readBackBuffer.get())) {
        std::fprintf(stderr, "view3d_bench: the replayed calls draw another picture\n");
        std::abort();
    }
}

void openView()
{
    static bool open = false;
    if (open)
        return;
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    allocateWorldGrid();
    allocateUnitRecords();
    allocateImageTable();
    benchview::buildBenchWorld();
    benchview::paintPlaceholderPictures();
    setVideoMode(320, 240);
    pixelScale = 1;
    createContextTextures = loadCubeTextures;
    if (!openGameWindow())
        std::abort();
    setCamera();
    recordWindow();
    checkReplayMatchesFrame();
    open = true;
}

// Other work on a shared machine only ever adds time: the fastest repetition
// is the steadiest measure of the frame itself.
double fastest(const std::vector<double>& times)
{
    return *std::min_element(times.begin(), times.end());
}
} // namespace

static void BM_Frame3D(benchmark::State& state)
{
    openView();
    for (auto _ : state) {
        setCamera(); // collisions near a wall must not drift the view
        clearFrame();
        updateScene3D();
    }
    benchmark::DoNotOptimize(framebuffer[0]);
}
BENCHMARK(BM_Frame3D)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", fastest);

static void BM_Frame3DNoReadBack(benchmark::State& state)
{
    openView();
    for (auto _ : state) {
        setCamera();
        clearFrame();
        glLoadIdentity();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawVoxelWindow();
        moveCamera();
        glLoadIdentity();
        glFinish(); // the picture is drawn, as the read-back would wait for
    }
}
BENCHMARK(BM_Frame3DNoReadBack)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", fastest);

static void BM_FloorSameGLCalls(benchmark::State& state)
{
    openView();
    for (auto _ : state)
        replayFrame(true);
    benchmark::DoNotOptimize(readBackBuffer[0]);
    int cubes = 0, faceCount = 0;
    for (const Position& p : recorded) {
        cubes += p.cube;
        faceCount += __builtin_popcount(p.faceMask);
    }
    state.counters["cubes"] = cubes;
    state.counters["faces"] = faceCount;
}
BENCHMARK(BM_FloorSameGLCalls)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", fastest);

static void BM_FloorSameGLCallsNoReadBack(benchmark::State& state)
{
    openView();
    for (auto _ : state)
        replayFrame(false);
}
BENCHMARK(BM_FloorSameGLCallsNoReadBack)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", fastest);
