// The view cell: the column, row and layer of the world cell both views
// centre on. The 3D camera carries it from cell to cell, the movement keys
// step and clamp it, the map view draws the layer it names.
#pragma once

// The layer the view starts on, inside the rock just under the sky.
inline constexpr int startViewLayer = 12;

extern int SX;
extern int SY;
extern int SZ;
