// Building the world at start-up: the map, the dungeon, the 3D world and the
// player's starting cell.
#pragma once

#include <cstdint>
#include <optional>

// The overworld map start-up reads: map/1.overworld.
inline constexpr int overworldMapNumber = 1;

// Start-up's world steps in order: the map read (with its pause), then the
// random generator seeded with fixedSeed or else the clock in whole seconds,
// then everything the seed decides. Returns the seed used. The grid and the
// unit records must be allocated; the generator's storage is allocated
// afresh here.
std::uint32_t buildWorld(std::optional<std::uint32_t> fixedSeed);
