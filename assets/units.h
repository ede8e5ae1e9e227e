// The unit records. Only record 1, the player unit, is used: it carries the
// camera's offsets inside its cell and a copy of the view cell.
#pragma once

#include <cstdint>
#include <memory>

struct UnitRecord {
    std::uint16_t cellX;   // cell column, copied from the view cell
    std::uint16_t cellY;   // cell row
    std::uint16_t cellZ;   // cell layer
    float subX;            // camera offsets inside the cell
    float subY;
    float subZ;
    std::int32_t stepCount; // +1 per forward step, -1 per backward: the head bob's phase
};

inline constexpr int unitCount = 3000;
inline constexpr int playerUnitIndex = 1;

// unitCount records, all zero when allocated.
extern std::unique_ptr<UnitRecord[]> unitRecords;

// Record 1.
inline UnitRecord& playerUnit()
{
    return unitRecords[playerUnitIndex];
}

// Allocates the records, every byte zero.
void allocateUnitRecords();

// Releases them (shutdown).
void releaseUnitRecords();
