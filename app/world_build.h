// Building the world at start-up: the map, the dungeon, the 3D world and the
// player's starting cell.
#pragma once

#include <cstdint>

// Start-up's world steps in order, the random generator seeded with `seed`.
// The grid and the unit records must be allocated; the generator's storage
// is allocated afresh here.
void buildWorld(std::uint32_t seed);
