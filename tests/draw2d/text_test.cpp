// The text routines: where glyph pixels land, how far the pen moves, what is
// cut and clipped, and that no byte of textLine is mishandled.
#include "draw2d/text.h"
#include "platform/video.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>

namespace {

using Pixels = std::set<std::pair<int, int>>;

void setText(const std::string& text)
{
    std::memset(textLine, 0, textLineSize);
    std::memcpy(textLine, text.data(), text.size());
}

Pixels drawnPixels()
{
    Pixels drawn;
    for (int y = 0; y < screenHeight; ++y)
        for (int x = 0; x < screenWidth; ++x)
            if (framebuffer[(std::size_t(y) * screenWidth + x) * 4 + 3] != 0)
                drawn.insert({x, y});
    return drawn;
}

Pixels drawSmall(const std::string& text, int x, int y)
{
    setVideoMode(320, 240);
    setText(text);
    drawTextSmall(x, y, 255, 255, 0);
    return drawnPixels();
}

Pixels drawLarge(const std::string& text, int x, int y)
{
    setVideoMode(320, 240);
    setText(text);
    drawTextLarge(x, y, 255, 255, 0);
    return drawnPixels();
}

// Pixels of a picture whose top row lands on framebuffer row top.
Pixels picture(int x, int top, std::initializer_list<const char*> rows)
{
    Pixels set;
    int y = top;
    for (const char* row : rows) {
        for (int j = 0; row[j] != '\0'; ++j)
            if (row[j] == '#')
                set.insert({x + j, y});
        --y;
    }
    return set;
}

// Lowest and highest framebuffer row drawn.
std::pair<int, int> rowRange(const Pixels& pixels)
{
    int low = 1 << 30, high = -(1 << 30);
    for (auto [x, y] : pixels) {
        low = std::min(low, y);
        high = std::max(high, y);
    }
    return {low, high};
}

Pixels shifted(const Pixels& pixels, int dx, int dy)
{
    Pixels moved;
    for (auto [x, y] : pixels)
        moved.insert({x + dx, y + dy});
    return moved;
}

} // namespace

TEST(Text, EmptyLineDrawsNothingAndLeavesThePenAtX)
{
    EXPECT_TRUE(drawSmall("", 37, 100).empty());
    EXPECT_EQ(textPen.x, 37);
    EXPECT_TRUE(drawLarge("", -12, 100).empty());
    EXPECT_EQ(textPen.x, -12);
}

TEST(Text, SmallFontAdvancesByWidthPlusGap)
{
    EXPECT_TRUE(drawSmall(" ", 10, 100).empty());
    EXPECT_EQ(textPen.x, 13);

    const Pixels ii = drawSmall("ii", 10, 100);
    Pixels columns;
    for (auto [x, y] : ii)
        columns.insert({x, 0});
    EXPECT_EQ(columns, (Pixels{{10, 0}, {12, 0}}));
    EXPECT_EQ(textPen.x, 14);

    const Pixels m = drawSmall("M", 10, 100);
    Pixels twoMs = m;
    twoMs.merge(shifted(m, 6, 0));
    EXPECT_EQ(drawSmall("MM", 10, 100), twoMs);
    EXPECT_EQ(textPen.x, 22);
}

TEST(Text, LargeFontAdvancesEightPerCharacter)
{
    EXPECT_TRUE(drawLarge(" ", 10, 100).empty());
    EXPECT_EQ(textPen.x, 18);
    const Pixels a = drawLarge("A", 10, 100);
    Pixels twoAs = a;
    twoAs.merge(shifted(a, 8, 0));
    EXPECT_EQ(drawLarge("AA", 10, 100), twoAs);
    EXPECT_EQ(textPen.x, 26);
}

TEST(Text, GlyphRowsLandRelativeToTheReferenceRow)
{
    // Small capitals cover y - 5 .. y - 1; g spans rows 5 .. 9, y - 3 .. y - 7.
    EXPECT_EQ(drawSmall("A", 20, 100),
              picture(20, 99, {".#.", "#.#", "###", "#.#", "#.#"}));
    EXPECT_EQ(rowRange(drawSmall("g", 20, 100)), std::make_pair(93, 97));
    // Large capitals cover y - 10 .. y - 2; row 1 is y - 1, row 12 y - 12.
    EXPECT_EQ(drawLarge("A", 20, 100),
              picture(20, 98, {"..##..", ".####.", "##..##", "##..##", "##..##",
                               "######", "##..##", "##..##", "##..##"}));
    EXPECT_EQ(rowRange(drawLarge("$", 20, 100)).second, 99);
    EXPECT_EQ(rowRange(drawLarge("g", 20, 100)), std::make_pair(88, 95));
}

TEST(Text, PixelsOutsideTheSmallGlyphWidthAndRowTenAreCut)
{
    // The backslash is 2 wide but its string carries pixels in column 2; the
    // y carries one in row 10 (y - 8).
    for (auto [x, y] : drawSmall("\\", 20, 100))
        EXPECT_LT(x, 22);
    for (auto [x, y] : drawSmall("y", 20, 100))
        EXPECT_GE(y, 93);
    // A following glyph is not disturbed by the cut pixels either.
    Pixels apart = drawSmall("\\", 20, 100);
    apart.merge(drawSmall("A", 23, 100));
    EXPECT_EQ(drawSmall("\\A", 20, 100), apart);
}

TEST(Text, TextCrossingEachEdgeIsDrawnOnlyInside)
{
    const std::string text = "Edge@Wg";
    // Drawn whole in a larger buffer, shifted back, cut to 320 x 240.
    auto expected = [&](bool large, int x, int y) {
        setVideoMode(640, 480);
        setText(text);
        large ? drawTextLarge(x + 160, y + 120, 1, 2, 3) : drawTextSmall(x + 160, y + 120, 1, 2, 3);
        Pixels inside;
        for (auto [px, py] : shifted(drawnPixels(), -160, -120))
            if (px >= 0 && py >= 0 && px < 320 && py < 240)
                inside.insert({px, py});
        return inside;
    };
    const std::pair<int, int> crossings[] = {{-9, 100}, {300, 100}, {100, 244}, {100, 4}};
    for (auto [x, y] : crossings) {
        const Pixels small = drawSmall(text, x, y);
        EXPECT_FALSE(small.empty());
        EXPECT_EQ(small, expected(false, x, y)) << x << "," << y;
        const Pixels large = drawLarge(text, x, y);
        EXPECT_FALSE(large.empty());
        EXPECT_EQ(large, expected(true, x, y)) << x << "," << y;
    }
}

TEST(Text, DrawsInTheGivenColourOverTheBackgroundAndTwiceAsOnce)
{
    setVideoMode(320, 240);
    for (int i = 0; i < 320 * 240 * 4; ++i)
        framebuffer[i] = std::uint8_t(i * 7);
    setText("SX=64,SY=64 mx=1");
    drawTextLarge(12, 31, 255, 255, 0);
    drawTextSmall(12, 50, 0x1ff, 0x180, 0x07);
    const std::vector<std::uint8_t> once(framebuffer.get(), framebuffer.get() + 320 * 240 * 4);
    drawTextLarge(12, 31, 255, 255, 0);
    drawTextSmall(12, 50, 0x1ff, 0x180, 0x07);
    EXPECT_TRUE(std::equal(once.begin(), once.end(), framebuffer.get()));

    int text = 0;
    for (int i = 0; i < 320 * 240 * 4; i += 4) {
        const std::uint8_t* p = &once[i];
        const bool large = p[0] == 255 && p[1] == 255 && p[2] == 0 && p[3] == 255;
        const bool small = p[0] == 0xff && p[1] == 0x80 && p[2] == 0x07 && p[3] == 255;
        if (large || small)
            ++text;
        else
            EXPECT_EQ(p[0], std::uint8_t(i * 7)) << "background changed at byte " << i;
    }
    EXPECT_GT(text, 100);
}

TEST(Text, CharactersWithoutGlyphDrawNothingAndAdvanceLikeASpace)
{
    for (int code = 1; code < 256; ++code) {
        const bool smallGlyph = code >= 32 && code < 123 && code != 96;
        const bool largeGlyph = code >= 32 && code < 127;
        const std::string text{char(code)};
        const Pixels small = drawSmall(text, 40, 100);
        EXPECT_EQ(small.empty(), !smallGlyph || code == ' ') << code;
        if (!smallGlyph) {
            EXPECT_EQ(textPen.x, 43) << code;
        }
        const Pixels large = drawLarge(text, 40, 100);
        EXPECT_EQ(large.empty(), !largeGlyph || code == ' ') << code;
        EXPECT_EQ(textPen.x, 48) << code;
    }
    // A missing character between two glyphs leaves the second in place.
    EXPECT_EQ(drawLarge("A\x8e" "A", 40, 100), drawLarge("A A", 40, 100));
    EXPECT_EQ(drawSmall("A`A", 40, 100), drawSmall("A A", 40, 100));
}

TEST(Text, UnterminatedLineStopsAtTheEndOfTheBuffer)
{
    setVideoMode(320, 240);
    std::memset(textLine, 'i', textLineSize);
    drawTextSmall(0, 100, 255, 255, 0);
    EXPECT_EQ(textPen.index, textLineSize);
    EXPECT_EQ(textPen.x, textLineSize * 2);
    std::memset(textLine, 'W', textLineSize);
    drawTextLarge(0, 100, 255, 255, 0);
    EXPECT_EQ(textPen.index, textLineSize);
    EXPECT_EQ(textPen.x, textLineSize * 8);
    std::memset(textLine, 0, textLineSize);
}
