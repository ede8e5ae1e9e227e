// The palette: about forty colours in ramps (stone, earth, grass, water,
// warm accents), with a letter each.
#include "art/palette.h"

#include <iterator>

namespace {
struct PaletteEntry {
    char letter;
    Rgb colour;
};

// Grouped as ramps from dark to light. The darkest ink is not pure black and
// no entry is the marker's magenta: both are transparent to the keyed blit.
constexpr PaletteEntry palette[] = {
    // ink and stone grays
    {'k', {20, 16, 28}},    // ink: outlines, deepest shadow
    {'n', {34, 32, 52}},    // night
    {'m', {56, 54, 66}},    // deep stone
    {'A', {86, 84, 90}},    // dark stone
    {'a', {122, 118, 126}}, // stone
    {'v', {158, 166, 176}}, // light stone
    {'V', {198, 202, 206}}, // pale stone
    {'W', {240, 238, 228}}, // bone and snow
    // earth and wood
    {'p', {69, 40, 60}},    // plum shadow
    {'b', {96, 58, 46}},    // dark wood
    {'r', {140, 88, 58}},   // wood
    {'B', {176, 122, 76}},  // light wood
    {'s', {214, 164, 106}}, // sand
    {'S', {236, 204, 154}}, // pale sand
    {'H', {120, 98, 52}},   // mud
    {'h', {150, 140, 78}},  // dry grass
    // greens
    {'Z', {22, 40, 30}},    // forest shade
    {'z', {34, 64, 40}},    // darkest leaf
    {'d', {58, 100, 46}},   // deep green
    {'q', {84, 136, 52}},   // green
    {'g', {112, 168, 62}},  // grass
    {'l', {160, 206, 90}},  // light grass
    {'G', {56, 120, 100}},  // blue green
    {'D', {72, 84, 54}},    // swamp olive
    {'t', {110, 124, 110}}, // gray leaf
    {'T', {150, 164, 146}}, // pale gray leaf
    // waters and blues
    {'N', {24, 36, 82}},    // deep sea
    {'E', {36, 60, 120}},   // sea
    {'w', {48, 92, 160}},   // water
    {'u', {78, 128, 200}},  // blue
    {'c', {124, 174, 232}}, // light blue
    {'C', {110, 210, 230}}, // cyan
    {'i', {206, 224, 250}}, // ice and foam
    // warm accents
    {'R', {160, 44, 48}},   // red
    {'x', {220, 84, 86}},   // light red
    {'o', {226, 116, 40}},  // orange
    {'Y', {196, 146, 40}},  // gold
    {'y', {250, 224, 80}},  // yellow
    {'P', {106, 62, 136}},  // purple
    {'f', {196, 120, 200}}, // violet
};

const PaletteEntry* findEntry(char letter)
{
    for (const PaletteEntry& entry : palette)
        if (entry.letter == letter)
            return &entry;
    return nullptr;
}
}

Rgb paletteColour(char letter)
{
    const PaletteEntry* entry = findEntry(letter);
    return entry ? entry->colour : std::begin(palette)->colour;
}
