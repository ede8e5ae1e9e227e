// The free-flying camera: view angles, flying along the view direction,
// keeping the eye out of occupied cells and carrying it from cell to cell.
// Pure code over the grid, the player unit and the key table (no GL).
#pragma once

// The view angles in degrees: yaw about the layer axis, pitch about the
// column axis. Pitch 0 looks towards deeper layers, -90 level, -180 up.
extern float viewYaw;
extern float viewPitch;

// Degrees to radians as the camera has always converted them (a little
// under pi / 180).
inline constexpr double degreesToRadians = 0.017453292516666667;

// The block code of cell (SX + floor(a), SY + floor(b), SZ + floor(c)); 0
// for a cell outside the grid, which is then not read. A NaN or infinite
// argument probes outside the grid.
int probeCell(float a, float b, float c);

// Pushes the eye, at (a, b, c) inside the camera cell in grid units, away
// from occupied cells near it by adjusting the player unit's offsets; on
// every third layer from layer 12 on, sets its bobbing height instead.
void resolveCameraCollision(float a, float b, float c);

// One tenth of a cell along the view direction (forward) or against it.
void stepCameraForward();
void stepCameraBackward();

// Moves whole cells between the offsets and SX, SY, SZ until the offsets
// are back in 0..1, keeping the eye where it is. A cell never moves past
// the end of the int range.
void carryCameraCell();

// The camera's motion for one frame: flies while the left button (forward)
// or Z (backward) is held, then resolves collisions and carries.
void moveCamera();

// Points the camera at framebuffer pixel (mx, my): yaw 20 at the left edge
// down by 2 degrees a pixel, pitch 0 at the bottom edge down by 1.
void lookAtMouse(int mx, int my);
