// The image table's storage.
#include "assets/image_table.h"

std::unique_ptr<ImageRecord[]> imageTable;

void allocateImageTable()
{
    imageTable = std::make_unique<ImageRecord[]>(imageCount);
}

void releaseImageTable()
{
    imageTable.reset();
}
