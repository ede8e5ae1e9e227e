// The one palette every generated picture is painted from: each colour has a
// letter, so pictures can be written as rows of letters.
#pragma once

#include <cstdint>

struct Rgb {
    std::uint8_t r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The colour of palette letter `letter`; an unknown letter is a programming
// error and gives the ink colour so it shows up in a preview.
Rgb paletteColour(char letter);

// True when `letter` names a palette colour.
bool isPaletteLetter(char letter);

// The two colours the keyed blit treats as transparent. Only the map marker
// uses them; the palette holds neither.
inline constexpr Rgb keyBlack{0, 0, 0};
inline constexpr Rgb keyMagenta{255, 0, 246};
