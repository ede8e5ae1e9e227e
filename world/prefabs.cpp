// Reading a prefab's header, orienting its cells into the mask, and stamping
// the mask into the world grid.
#include "world/prefabs.h"

#include "world/block_codes.h"
#include "world/grid.h"

#include <cstring>

std::uint8_t prefabMask[maskSide * maskSide];
int prefabWidth = 0;
int prefabHeight = 0;
int stampX = 0;
int stampY = 0;

namespace {
constexpr int orientationCount = 4;

// Header letters: their place in the alphabet ('a' = 1).
constexpr int widthLetter = 2;
constexpr int heightLetter = 3;
constexpr int firstExtensionLetter = 4;
constexpr int secondExtensionLetter = 5;
constexpr char noExtension = '0';

int letterValue(char letter)
{
    return letter - ('a' - 1);
}

struct PrefabSize {
    int width;
    int height;
};

// W and H as written; each extension letter other than '0' adds to W.
PrefabSize writtenSize(int prefab)
{
    const char* text = prefabTable[prefab];
    PrefabSize size{letterValue(text[widthLetter]), letterValue(text[heightLetter])};
    for (int letter : {firstExtensionLetter, secondExtensionLetter})
        if (text[letter] != noExtension)
            size.width += letterValue(text[letter]);
    return size;
}

bool validOrientation(int orientation)
{
    return orientation >= 0 && orientation < orientationCount;
}

// The size after orientation: 1 and 2 swap width and height.
void setOrientedSize(PrefabSize size, int orientation)
{
    const bool swapped = orientation == 1 || orientation == 2;
    prefabWidth = swapped ? size.height : size.width;
    prefabHeight = swapped ? size.width : size.height;
}

// The mask index of prefab cell (row r, column c) of a W x H prefab.
int orientedMaskIndex(int r, int c, PrefabSize size, int orientation)
{
    switch (orientation) {
    case 1: return (size.width - 1 - c) * maskSide + r;
    case 2: return c * maskSide + r;
    case 3: return (size.height - 1 - r) * maskSide + c;
    default: return r * maskSide + c;
    }
}

std::uint8_t maskValue(char letter)
{
    if (letter == 'd')
        return maskFloor;
    if (letter == 'p')
        return maskMarked;
    return maskOutside;
}
}

void prefabSize(int prefab, int orientation)
{
    if (validOrientation(orientation))
        setOrientedSize(writtenSize(prefab), orientation);
}

void loadPrefabMask(int prefab, int orientation)
{
    std::memset(prefabMask, maskOutside, sizeof prefabMask);
    if (!validOrientation(orientation))
        return;
    const PrefabSize size = writtenSize(prefab);
    setOrientedSize(size, orientation);
    const char* text = prefabTable[prefab];
    for (int r = 0; r < size.height; ++r) {
        // Row 0 of the string is the header; prefab row r is string row r + 1.
        const char* row = text + (r + 1) * maskSide;
        for (int c = 0; c < size.width; ++c) {
            const std::uint8_t value = maskValue(row[c]);
            if (value != maskOutside)
                prefabMask[orientedMaskIndex(r, c, size, orientation)] = value;
        }
    }
}

void stampPrefab(int layer)
{
    for (int r = 0; r < prefabHeight; ++r)
        for (int c = 0; c < prefabWidth; ++c) {
            const std::uint8_t value = prefabMask[r * maskSide + c];
            if (value == maskFloor)
                gridCell(stampX + c, stampY + r, layer) = Floor;
            else if (value == maskMarked)
                gridCell(stampX + c, stampY + r, layer) = RoomMark;
        }
}
