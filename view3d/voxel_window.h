// Drawing the grid around the camera as textured unit cubes, in OpenGL
// immediate mode.
#pragma once

// Half the edge of the drawn window: cells from the camera cell - viewRadius
// to the camera cell + viewRadius - 1 on each axis.
extern int viewRadius;

// Applies the camera's view transform to the model-view matrix (expected at
// identity) and draws every occupied cell of the window except the grid's
// outer shell.
void drawVoxelWindow();

// Draws cell (x, y, z) as a unit cube at the current origin, each face only
// where the neighbour beyond it is Air. x and y must be at least 1 and the
// cell must not lie in the grid's outer shell.
void drawVoxelCube(int x, int y, int z);
