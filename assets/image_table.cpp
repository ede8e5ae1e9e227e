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

std::int64_t imageBytes(const ImageRecord& entry)
{
    if (!entry.pixels)
        return 0;
    return std::int64_t(entry.width) * entry.height * entry.bytesPerPixel;
}

std::int64_t imageTableBytesExcept(int except)
{
    if (!imageTable)
        return 0;
    std::int64_t total = 0;
    for (int id = 0; id < imageCount; ++id)
        if (id != except)
            total += imageBytes(imageTable[id]);
    return total;
}
