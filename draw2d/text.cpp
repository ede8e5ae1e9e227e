// The two text routines and the pen they share: glyphs from the font tables,
// plotted pixel by pixel from the text in textLine.
#include "draw2d/text.h"

#include "draw2d/fonts.h"
#include "draw2d/primitives.h"
#include "platform/video.h"

#include <array>
#include <climits>

char textLine[textLineSize] = {};
TextPen textPen;

namespace {

constexpr int smallCodes = 128;
constexpr int smallRowLength = 8;
constexpr int smallGlyphLength = 11 * smallRowLength;
constexpr int smallSpaceLength = 10 * smallRowLength; // the space has no row 10
constexpr int smallLastRow = 9;
constexpr int smallRowShift = 2; // glyph row i lands on y - i + 2
constexpr int smallHighestRow = smallRowShift - 1;          // y + 1, glyph row 1
constexpr int smallLowestRow = smallRowShift - smallLastRow; // y - 7, glyph row 9
constexpr int smallGap = 1;      // empty column between glyphs
constexpr int smallMissingWidth = 2; // as wide as the space

constexpr int largeCodes = 256;
constexpr int largeRowLength = 10;
constexpr int largeGlyphLength = 13 * largeRowLength;
constexpr int largeLastRow = 12;
constexpr int largeAdvance = 8; // also the drawn columns 0..7
constexpr int largeHighestRow = -1;            // glyph row i lands on y - i
constexpr int largeLowestRow = -largeLastRow;

// True when text is exactly length characters long. Stops at the first zero
// byte, so a shorter string is never read past its end.
bool hasLength(const char* text, int length)
{
    for (int i = 0; i < length; ++i)
        if (text[i] == '\0')
            return false;
    return text[length] == '\0';
}

bool isSmallGlyph(const char* entry)
{
    return entry != nullptr
        && (hasLength(entry, smallGlyphLength) || hasLength(entry, smallSpaceLength))
        && entry[0] >= '1' && entry[0] <= '7';
}

bool isLargeGlyph(const char* entry)
{
    return entry != nullptr && hasLength(entry, largeGlyphLength);
}

// Which table entries are glyphs, checked once: the tables hold placeholder
// strings, a string of the other layout and null pointers beside the glyphs.
template <int codes>
std::array<bool, codes> glyphEntries(const char* const (&font)[codes], bool (*isGlyph)(const char*))
{
    std::array<bool, codes> valid{};
    for (int code = 0; code < codes; ++code)
        valid[code] = isGlyph(font[code]);
    return valid;
}

bool hasSmallGlyph(unsigned char code)
{
    static const std::array<bool, smallCodes> valid = glyphEntries(smallFont, isSmallGlyph);
    return code < smallCodes && valid[code];
}

bool hasLargeGlyph(unsigned char code)
{
    static const std::array<bool, largeCodes> valid = glyphEntries(largeFont, isLargeGlyph);
    return valid[code];
}

// The text ends at its zero byte, or at the end of the buffer if it has none.
bool penInText()
{
    return textPen.index < textLineSize && textLine[textPen.index] != '\0';
}

// char may be signed: bytes 128..255 must index the tables as such.
unsigned char penCode()
{
    return static_cast<unsigned char>(textLine[textPen.index]);
}

// True when some pixel of the glyph box, columns textPen.x .. + width - 1 and
// rows y + lowest .. y + highest, lies in the framebuffer. Only such glyphs
// are drawn: the others would plot nothing, and the pixel positions of a pen
// or a row near the ends of the int range would overflow. The comparisons
// themselves cannot overflow, the offsets being a few pixels.
bool glyphBoxOnScreen(int width, int y, int lowest, int highest)
{
    return textPen.x < screenWidth && textPen.x > -width && y < screenHeight - lowest &&
           y >= -highest;
}

// The pen stops at INT_MAX instead of overflowing; nothing is drawn that
// far right anyway.
void advancePen(int advance)
{
    textPen.x = textPen.x > INT_MAX - advance ? INT_MAX : textPen.x + advance;
}

void drawSmallGlyph(const char* glyph, int y, int r, int g, int b)
{
    for (int i = 1; i <= smallLastRow; ++i)
        for (int j = 0; j < textPen.width; ++j)
            if (glyph[i * smallRowLength + j] != '0')
                plotPixel(textPen.x + j, y - i + smallRowShift, r, g, b);
}

void drawLargeGlyph(const char* glyph, int y, int r, int g, int b)
{
    for (int i = 1; i <= largeLastRow; ++i)
        for (int j = 0; j < largeAdvance; ++j)
            if (glyph[i * largeRowLength + j] != '0')
                plotPixel(textPen.x + j, y - i, r, g, b);
}

} // namespace

// A character without a glyph draws nothing but still advances the pen like
// a space: the large font keeps every character on its 8-pixel column, and in
// both fonts the gap shows where the character stood.
void drawTextSmall(int x, int y, int r, int g, int b)
{
    textPen.x = x;
    for (textPen.index = 0; penInText(); ++textPen.index) {
        const unsigned char code = penCode();
        if (hasSmallGlyph(code)) {
            textPen.width = smallFont[code][0] - '0';
            if (glyphBoxOnScreen(textPen.width, y, smallLowestRow, smallHighestRow))
                drawSmallGlyph(smallFont[code], y, r, g, b);
        } else {
            textPen.width = smallMissingWidth;
        }
        advancePen(textPen.width + smallGap);
    }
}

void drawTextLarge(int x, int y, int r, int g, int b)
{
    textPen.x = x;
    textPen.width = largeAdvance;
    for (textPen.index = 0; penInText(); ++textPen.index) {
        const unsigned char code = penCode();
        if (hasLargeGlyph(code) &&
            glyphBoxOnScreen(largeAdvance, y, largeLowestRow, largeHighestRow))
            drawLargeGlyph(largeFont[code], y, r, g, b);
        advancePen(largeAdvance);
    }
}
