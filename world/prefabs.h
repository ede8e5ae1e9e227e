// Room prefabs: the table of letter-format shapes, the mask built from one of
// them in one of four orientations, and stamping that mask into a plan layer.
#pragma once

#include <cstdint>

// Letters per prefab row, and the side of the square mask.
inline constexpr int maskSide = 30;

// Slots of prefabTable: 44 shapes followed by 30 filler strings.
inline constexpr int prefabSlotCount = 74;
inline constexpr int prefabShapeCount = 44;

// What a mask cell holds.
inline constexpr std::uint8_t maskOutside = 0;
inline constexpr std::uint8_t maskFloor = 1;
inline constexpr std::uint8_t maskMarked = 3;

// The shapes: a header row ("jk", width letter, height letter, two width
// extension letters), then one row of maskSide letters per prefab row:
// 'd' floor, 'p' marked, anything else outside.
extern const char* const prefabTable[prefabSlotCount];

// The current prefab's mask, row-major (row * maskSide + column).
extern std::uint8_t prefabMask[maskSide * maskSide];

// The current prefab's size after orientation.
extern int prefabWidth;
extern int prefabHeight;

// The plan cell that mask cell (0, 0) lands on; set by the generator.
extern int stampX;
extern int stampY;

// Sets prefabWidth and prefabHeight for the prefab in the orientation:
// 0 as written, 1 a quarter turn, 2 mirrored about the diagonal, 3 upside
// down. Leaves the mask alone; an orientation outside 0..3 changes nothing.
void prefabSize(int prefab, int orientation);

// Clears the mask, then builds the oriented prefab in it and sets the size.
// An orientation outside 0..3 leaves the mask clear and the size unchanged.
void loadPrefabMask(int prefab, int orientation);

// Writes the mask's floor cells as Floor and its marked cells as RoomMark
// into the layer, in the box of prefabWidth x prefabHeight cells at
// (stampX, stampY); cells outside the shape keep what they hold. The caller
// guarantees the box lies inside the grid.
void stampPrefab(int layer);
