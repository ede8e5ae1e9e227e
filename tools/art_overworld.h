// The overworld map: a seeded 256 x 256 fantasy land of seas, rivers,
// plains, forests, swamps, desert, hills and mountains, with villages joined
// by roads, a castle, ruins, mines, a grotto and wells.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int overworldSide = 256;

// The map's 65,536 codes: byte y * 256 + x is cell (x, y), row 0 the bottom
// row of the map view. The same bytes on every run.
std::vector<std::uint8_t> generateOverworld();
