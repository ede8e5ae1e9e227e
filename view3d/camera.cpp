// Camera motion and collision. The arithmetic mixes single and double
// precision exactly as the motion has always been computed, so flights
// replay to the same offsets.
#include "view3d/camera.h"

#include "app/state.h"
#include "assets/units.h"
#include "platform/input.h"
#include "world/grid.h"

#include <cmath>

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
} // namespace

int probeCell(float a, float b, float c)
{
    const int x = SX + int(std::floor(double(a)));
    const int y = SY + int(std::floor(double(b)));
    const int z = SZ + int(std::floor(double(c)));
    if (!cellInGrid(x, y, z))
        return 0;
    return worldGrid[cellIndex(x, y, z)];
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
    ++player.stepCount;
}

void stepCameraBackward()
{
    UnitRecord& player = playerUnit();
    const Step step = viewStep();
    player.subZ += step.v;
    player.subX += step.h;
    player.subY += step.k;
    --player.stepCount;
}

void carryCameraCell()
{
    UnitRecord& player = playerUnit();
    if (player.subX > 1) { --SX; player.subX -= 1; }
    if (player.subY > 1) { ++SY; player.subY -= 1; }
    if (player.subX < 0) { ++SX; player.subX += 1; }
    if (player.subY < 0) { --SY; player.subY += 1; }
    if (player.subZ > 1) { --SZ; player.subZ -= 1; }
    if (player.subZ < 0) { ++SZ; player.subZ += 1; }
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
