// The unit records' storage.
#include "assets/units.h"

std::unique_ptr<UnitRecord[]> unitRecords;

void allocateUnitRecords()
{
    unitRecords = std::make_unique<UnitRecord[]>(unitCount);
}

void releaseUnitRecords()
{
    unitRecords.reset();
}
