// The frame loop's steps that belong to no one subsystem: the map mode's
// framing of the view cell, the player unit's copy of it after a 3D frame, and
// the three status lines.
#pragma once

// At 640 x 480: the map layer SZ with its origin 15 cells left of and below
// the view cell, and the marker image on the view cell's tile.
void drawMapAroundViewCell();

// After a 3D frame: the player unit takes the view cell (low 16 bits of each).
void copyViewCellToPlayer();

// The build banner, the credit line and the position line, in yellow.
void drawStatusLines();
