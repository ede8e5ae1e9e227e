// The generator's working storage.
#include "world/generator.h"

#include "world/grid.h"

// Derived from layerCount during static initialisation, like layerStride.
const int roomCapacity = layerCount * 6000;

std::unique_ptr<RoomRecord[]> roomRecords;
int roomCount = 0;
std::unique_ptr<int[]> levelFirstRoom;
std::unique_ptr<int[]> levelEndRoom;

void allocateGeneratorStorage()
{
    roomRecords = std::make_unique<RoomRecord[]>(roomCapacity);
    levelFirstRoom = std::make_unique<int[]>(layerCount + 1);
    levelEndRoom = std::make_unique<int[]>(layerCount + 1);
}

void releaseGeneratorStorage()
{
    roomRecords.reset();
    levelFirstRoom.reset();
    levelEndRoom.reset();
}
