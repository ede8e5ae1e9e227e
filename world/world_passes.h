// The passes that build the 3D world of layers 1..138 from the overworld map
// (layer 0) and the dungeon plan (layers 140..148) once the generator ran.
#pragma once

#include <cstdint>

// The one dungeon the passes read: level k (1..dungeonLevelCount) on plan
// layer firstPlanLayer + k - 1, in the square of columns and rows
// planSquareFirst..planSquareLast.
inline constexpr int firstPlanLayer = 140;
inline constexpr int dungeonLevelCount = 9;
inline constexpr int planSquareFirst = 112;
inline constexpr int planSquareLast = 144;

// Sets every cell of layers first..last to `code`.
void fillLayers(int first, int last, std::uint8_t code);

// Layers 1..138 solid Brick, then layers 1..3 Air: rock under open sky.
void fillWorldLayers();

// The surface from the overworld map: Dirt on layer 4 under plains, Grass on
// layer 3 over codes 11..18, Brick on layer 2 over codes above 18.
void raiseOverworld();

// Carves each plan level k (layer 139 + k) into 3D layers 3k and 3k + 1 at
// twice the plan's scale; a StairsDown cell also opens layer 3k + 2.
void carveDungeonLevels();

// 1000 tries at a 2 x 2 shaft from the surface (layers 1..11) down to an open
// 2 x 2 block of layer 12.
void openShafts();
