// The dungeon generator: nine levels of rooms hung off one another through
// doorways, joined by stair pairs and furnished, written into the plan layers.
#pragma once

#include <cstdint>
#include <memory>

// One placed room.
struct RoomRecord {
    std::uint16_t x;      // column of the room box's origin
    std::uint16_t y;      // row of the origin
    std::uint16_t width;  // box width after orientation
    std::uint16_t height; // box height after orientation
    std::uint16_t layer;  // plan layer
    std::int32_t index;   // the record's own position in roomRecords
    std::uint8_t prefab;  // prefab table index of the room's shape
};

// Records the working storage holds: layerCount * 6000.
extern const int roomCapacity;

// The generator's working storage: roomCapacity records, the count in use
// (all levels one after another), and per plan layer the first record and
// one past the last.
extern std::unique_ptr<RoomRecord[]> roomRecords;
extern int roomCount;
extern std::unique_ptr<int[]> levelFirstRoom; // layerCount + 1 entries
extern std::unique_ptr<int[]> levelEndRoom;   // layerCount + 1 entries

// Tries each feature kind makes on a level before it gives up.
inline constexpr int featureTryLimit = 1'000'000;

// Allocates the working storage with the record block zeroed.
void allocateGeneratorStorage();

// Releases it (shutdown, and before the fresh allocation at start-up).
void releaseGeneratorStorage();

// Builds levelCount levels, level k on plan layer firstLayer + k - 1, each in
// the square of squareSize / 2 cells around (centreX, centreY), with a
// central room and roomAttempts further attempts; then stairs and features.
void generateDungeon(int centreX, int centreY, int firstLayer, int levelCount, int squareSize,
                     int roomAttempts);
