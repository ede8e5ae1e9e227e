// Fuzz target: the camera's frames without GL, from any state: offsets and
// angles of any float (NaN, infinities, huge values), any camera cell and step
// count, a neighbourhood of occupied cells from the input, and per frame the
// held buttons and Z and a cursor mapped to the framebuffer for mouse look.
// Checks the cell probe against the grid, that a frame moves the cell at most
// one step per axis, that finite state stays finite, and the look angles.
#include "assets/units.h"
#include "platform/input.h"
#include "tests/fuzz/fuzz_input.h"
#include "view3d/camera.h"
#include "world/block_codes.h"
#include "world/grid.h"
#include "world/view_cell.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int reach = 2; // the neighbourhood: cells -2..2 around the camera cell on each axis
constexpr int side = 2 * reach + 1;
constexpr int maxFrames = 16;
constexpr int frameWidth = 320; // the 3D view's framebuffer
constexpr int frameHeight = 240;
constexpr float saneOffset = 1e6f; // finite offsets up to here stay finite

std::vector<std::size_t> writtenCells;

void check(bool ok)
{
    if (!ok)
        std::abort();
}

// Fills the neighbourhood's cells inside the grid, one input bit a cell.
void placeNeighbourhood(FuzzInput& input)
{
    std::uint8_t bits = 0;
    for (int n = 0; n < side * side * side; ++n) {
        if (n % 8 == 0)
            bits = input.byte();
        const std::int64_t x = std::int64_t(SX) + n % side - reach;
        const std::int64_t y = std::int64_t(SY) + n / side % side - reach;
        const std::int64_t z = std::int64_t(SZ) + n / (side * side) - reach;
        const bool inGrid = x >= 0 && x < worldSide && y >= 0 && y < worldSide && z >= 0 &&
                            z < layerCount;
        if (inGrid && (bits >> (n % 8) & 1)) {
            const std::size_t cell = std::size_t(cellIndex(int(x), int(y), int(z)));
            worldGrid[cell] = Brick;
            writtenCells.push_back(cell);
        }
    }
}

// What a probe must read: the cell SX + floor(a) ... in exact arithmetic, or
// 0 when that lies outside the grid or an argument is not finite.
int expectedProbe(float a, float b, float c)
{
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(c))
        return 0;
    const long double x = SX + std::floor((long double)a);
    const long double y = SY + std::floor((long double)b);
    const long double z = SZ + std::floor((long double)c);
    if (x < 0 || x >= worldSide || y < 0 || y >= worldSide || z < 0 || z >= layerCount)
        return 0;
    return gridCell(int(x), int(y), int(z));
}

bool saneFloat(float value)
{
    return std::isfinite(value) && std::fabs(value) <= saneOffset;
}

bool saneState()
{
    const UnitRecord& p = playerUnit();
    return saneFloat(p.subX) && saneFloat(p.subY) && saneFloat(p.subZ) &&
           std::isfinite(viewYaw) && std::isfinite(viewPitch);
}

bool withinOne(int before, int after)
{
    const std::int64_t change = std::int64_t(after) - before;
    return change >= -1 && change <= 1;
}

bool sameBits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// One frame of the camera as the 3D view runs it: fly, collide and carry,
// then mouse look while a button is held.
void frame(FuzzInput& input)
{
    const std::uint8_t keys = input.byte();
    releaseAllKeys();
    setKeyHeld(vkLeftButton, keys & 1);
    setKeyHeld(vkZ, keys & 2);
    setKeyHeld(vkMiddleButton, keys & 4);
    setKeyHeld(vkRightButton, keys & 8);
    const int mx = mapCursorAxis(input.int32(), input.int32(), frameWidth);
    const int my = mapCursorAxis(input.int32(), input.int32(), frameHeight);

    const int cellBefore[3] = {SX, SY, SZ};
    const bool sane = saneState();
    const float yaw = viewYaw, pitch = viewPitch;
    moveCamera();
    check(withinOne(cellBefore[0], SX) && withinOne(cellBefore[1], SY) &&
          withinOne(cellBefore[2], SZ));
    const UnitRecord& p = playerUnit();
    check(!sane || (std::isfinite(p.subX) && std::isfinite(p.subY) && std::isfinite(p.subZ)));

    if (keys & (1 | 4 | 8)) {
        lookAtMouse(mx, my);
        check(viewYaw <= 20 && viewYaw >= 20 - 2 * (frameWidth - 1));
        check(viewPitch <= 0 && viewPitch >= -(frameHeight - 1));
    } else {
        check(sameBits(viewYaw, yaw) && sameBits(viewPitch, pitch));
    }
}

void prepare()
{
    if (!worldGrid) {
        allocateWorldGrid();
        allocateUnitRecords();
    }
}

void restore()
{
    for (std::size_t cell : writtenCells)
        worldGrid[cell] = 0;
    writtenCells.clear();
    releaseAllKeys();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    prepare();
    FuzzInput input{data, size};
    UnitRecord& player = playerUnit();
    player.subX = input.float32();
    player.subY = input.float32();
    player.subZ = input.float32();
    player.stepCount = input.int32();
    viewYaw = input.float32();
    viewPitch = input.float32();
    SX = input.coordinate(-4, 264);
    SY = input.coordinate(-4, 264);
    SZ = input.coordinate(-4, 188);
    placeNeighbourhood(input);

    const float probe[3] = {input.float32(), input.float32(), input.float32()};
    check(probeCell(probe[0], probe[1], probe[2]) == expectedProbe(probe[0], probe[1], probe[2]));

    for (int i = 0; i < maxFrames && input.remaining() > 0; ++i)
        frame(input);
    restore();
    return 0;
}
