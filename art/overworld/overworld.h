// The overworld map: a seeded 256 x 256 fantasy land of seas, rivers,
// plains, forests, swamps, desert, hills and mountains, with villages joined
// by roads, a castle, ruins, mines, a grotto and wells.
#pragma once

#include "world/grid.h"

#include <cstdint>
#include <vector>

// The map covers layer 0 of the world grid.
inline constexpr int overworldSide = worldSide;

// The map's 65,536 codes: byte y * 256 + x is cell (x, y), row 0 the bottom
// row of the map view. The same bytes on every run.
std::vector<std::uint8_t> generateOverworld();
