// The frame loop's drawing steps that belong to no one subsystem: the map
// mode's framing of the view cell and the three status lines.
#pragma once

// At 640 x 480: the map layer SZ with its origin 15 cells left of and below
// the view cell, and the marker image on the view cell's tile.
void drawMapAroundViewCell();

// The build banner, the credit line and the position line, in yellow.
void drawStatusLines();
