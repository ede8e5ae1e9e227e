// Camera motion and collision. The arithmetic mixes single and double
// precision exactly as the motion has always been computed, so flights
// replay to the same offsets.
#include "view3d/camera.h"

#include "assets/units.h"
#include "platform/input.h"
#include "world/grid.h"
#include "world/view_cell.h"

#include <climits>
#include <cmath>
#include <cstdint>

float viewYaw = 0;
float viewPitch = 0;

namespace {
constexpr float stepLength = 0.1f;
constexpr float wallGap = 0.3f;   // the eye keeps this far from a wall it nears
constexpr float pushAway = 0.2f;  // and is pushed this far from one closer still
constexpr int bobFirstLayer = 12; // the bob rides on this layer and every third deeper
constexpr int bobLayerPeriod = 3;
constexpr float bobAmplitude = 0.05f;
constexpr float bobCentre = 0.54f;
constexpr float bobStepsPerRadian = 5;

// sin of an angle in degrees, taken in double and rounded to float.
float sinDegrees(float degrees)
{
    return float(std::sin(double(degrees) * degreesToRadians));
}

float cosDegrees(float degrees)
{
    return float(std::cos(double(degrees) * degreesToRadians));
}

struct Step {
    float h, k, v; // the change of subX, subY, subZ, negated
};

// One step along the view direction, as the change the forward step
// subtracts (and the backward step adds).
Step viewStep()
{
    Step step;
    step.h = -sinDegrees(viewYaw + 180) * stepLength;
    step.k = -cosDegrees(viewYaw + 180) * stepLength;
    step.v = -sinDegrees(viewPitch - 90) * stepLength;
    step.h = -sinDegrees(viewPitch) * step.h;
    step.k = -sinDegrees(viewPitch) * step.k;
    return step;
}

// The eye inside the camera cell, and which way one probe reaches out.
struct Point {
    float a, b, c;
};

bool occupiedAt(Point eye, Point offset)
{
    return probeCell(eye.a + offset.a, eye.b + offset.b, eye.c + offset.c) != 0;
}

Point along(Point axis, float distance)
{
    return {axis.a * distance, axis.b * distance, axis.c * distance};
}

// The four face rules of one axis. `sign` is -1 for columns and layers,
// whose offsets run against the grid, and +1 for rows. The eye's position
// `at` is the one the pass started with; `offset` changes in place.
void pushOffFaces(float& offset, float sign, float at, Point eye, Point axis)
{
    const Point origin{0, 0, 0};
    if (occupiedAt(eye, along(axis, -wallGap)) && !occupiedAt(eye, origin))
        offset += sign * (wallGap - at);
    if (occupiedAt(eye, along(axis, -pushAway)))
        offset += sign * pushAway;
    if (occupiedAt(eye, along(axis, wallGap)) && !occupiedAt(eye, origin))
        offset -= sign * ((at + wallGap) - 1);
    if (occupiedAt(eye, along(axis, pushAway)))
        offset -= sign * pushAway;
}

bool bobsOnThisLayer()
{
    return SZ >= bobFirstLayer && SZ % bobLayerPeriod == 0;
}

float bobHeight(int stepCount)
{
    const float phase = float(stepCount) / bobStepsPerRadian;
    return float(std::sin(double(phase)) * double(bobAmplitude) + double(bobCentre));
}

// The horizontal diagonals in the order they are tried; only the first
// occupied one pushes the eye.
void pushOffDiagonals(UnitRecord& player, Point eye)
{
    constexpr Point diagonals[] = {{-pushAway, -pushAway, 0},
                                   {pushAway, pushAway, 0},
                                   {pushAway, -pushAway, 0},
                                   {-pushAway, pushAway, 0}};
    for (const Point& diagonal : diagonals)
        if (occupiedAt(eye, diagonal)) {
            player.subX += diagonal.a;
            player.subY -= diagonal.b;
            return;
        }
}

// The step count wraps around at the ends of its range rather than
// overflowing; only its phase in the head bob is ever read.
std::int32_t countStep(std::int32_t count, int step)
{
    return std::int32_t(std::uint32_t(count) + std::uint32_t(step));
}

// Moves one whole cell between the camera cell and its offset. A cell at the
// end of the int range is not moved past it (that would overflow); the
// offset then stays out of 0..1 and the eye stays where it is.
void carry(int& cell, int cellStep, float& offset, float offsetStep)
{
    if (cellStep > 0 ? cell == INT_MAX : cell == INT_MIN)
        return;
    cell += cellStep;
    offset += offsetStep;
}
} // namespace

// The cell is found in double precision, exact for every sum that can land
// in the grid: converting a NaN, an infinity or a huge floor to int, or
// adding it to a cell near the end of the int range, would be undefined.
// Such a probe lands outside the grid (NaN fails every comparison).
int probeCell(float a, float b, float c)
{
    const double x = SX + std::floor(double(a));
    const double y = SY + std::floor(double(b));
    const double z = SZ + std::floor(double(c));
    const bool inGrid = x >= 0 && x < worldSide && y >= 0 && y < worldSide && z >= 0 &&
                        z < layerCount;
    if (!inGrid)
        return 0;
    return gridCell(int(x), int(y), int(z));
}

void resolveCameraCollision(float a, float b, float c)
{
    UnitRecord& player = playerUnit();
    const Point eye{a, b, c};
    pushOffFaces(player.subX, -1, a, eye, {1, 0, 0});
    pushOffFaces(player.subY, +1, b, eye, {0, 1, 0});
    pushOffFaces(player.subZ, -1, c, eye, {0, 0, 1});
    if (bobsOnThisLayer())
        player.subZ = bobHeight(player.stepCount);
    pushOffDiagonals(player, eye);
}

void stepCameraForward()
{
    UnitRecord& player = playerUnit();
    const Step step = viewStep();
    player.subZ -= step.v;
    player.subX -= step.h;
    player.subY -= step.k;
    player.stepCount = countStep(player.stepCount, +1);
}

void stepCameraBackward()
{
    UnitRecord& player = playerUnit();
    const Step step = viewStep();
    player.subZ += step.v;
    player.subX += step.h;
    player.subY += step.k;
    player.stepCount = countStep(player.stepCount, -1);
}

void carryCameraCell()
{
    UnitRecord& player = playerUnit();
    if (player.subX > 1) carry(SX, -1, player.subX, -1);
    if (player.subY > 1) carry(SY, +1, player.subY, -1);
    if (player.subX < 0) carry(SX, +1, player.subX, +1);
    if (player.subY < 0) carry(SY, -1, player.subY, +1);
    if (player.subZ > 1) carry(SZ, -1, player.subZ, -1);
    if (player.subZ < 0) carry(SZ, +1, player.subZ, +1);
}

void moveCamera()
{
    if (keyDown(vkLeftButton))
        stepCameraForward();
    if (keyDown(vkZ))
        stepCameraBackward();
    const UnitRecord& player = playerUnit();
    resolveCameraCollision(1 - player.subX, player.subY, 1 - player.subZ);
    carryCameraCell();
}

void lookAtMouse(int mx, int my)
{
    viewYaw = float(((-mx) * 2 + 180) - 160);
    viewPitch = float(((-my) + 90) - 90);
}
