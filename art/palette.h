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

// The keyed blit treats this magenta and pure black as transparent. Only the
// map marker uses the magenta; the palette holds neither colour.
inline constexpr Rgb keyMagenta{255, 0, 246};
