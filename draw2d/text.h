// Text drawn with the bitmap fonts from the shared text buffer textLine.
#pragma once

// Every drawn line is formatted into textLine first (bounded by its size),
// then a text routine draws its current content.
constexpr int textLineSize = 256;
extern char textLine[textLineSize];

// Draws textLine with the small proportional font: x is the left edge of the
// first glyph, glyph row 1 lands on framebuffer row y + 1 (capitals cover
// y - 5 .. y - 1); one empty column between glyphs.
void drawTextSmall(int x, int y, int r, int g, int b);

// Draws textLine with the large font: glyph row 1 on row y - 1 (capitals
// cover y - 10 .. y - 2); every glyph advances 8 pixels.
void drawTextLarge(int x, int y, int r, int g, int b);

// The text routines' working state, overwritten by every call: the pen x (the
// left edge of the next glyph), the index in textLine of the character being
// drawn and the current glyph's width. After a call, x is where a following
// glyph would start, or INT_MAX where that lies further right.
struct TextPen {
    int x;
    int index;
    int width;
};
extern TextPen textPen;
