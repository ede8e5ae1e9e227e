// The two font tables as data: string layouts, header widths, placeholders,
// and the rows each kind of glyph stands on.
#include "draw2d/fonts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// The advance width of every small-font glyph.
int documentedWidth(char c)
{
    const std::string widths[8] = {"", ":il", " !'(),;=[\\]fjr",
        "\"$%+-.0123456789<>?ABCDEFGHIKLPSTUVY^_bcdeghknopqstuvxyz",
        "&/JNOQRZa", "#*MWXmw", "", "@"};
    for (int w = 1; w < 8; ++w)
        if (widths[w].find(c) != std::string::npos)
            return w;
    return 0;
}

bool onlyBits(const std::string& s)
{
    return s.find_first_not_of("01") == std::string::npos;
}

// First and last row holding a set pixel in the drawn area (row 0 is the
// small font's header).
std::pair<int, int> inkRows(const std::string& glyph, int rowLength, int columns)
{
    int first = 99, last = -1;
    for (int i = 1; i * rowLength < int(glyph.size()); ++i)
        for (int j = 0; j < columns; ++j)
            if (glyph[i * rowLength + j] == '1') {
                first = std::min(first, i);
                last = std::max(last, i);
            }
    return {first, last};
}

std::pair<int, int> smallInk(char c)
{
    const std::string glyph = smallFont[int(c)];
    return inkRows(glyph.substr(0, 80), 8, glyph[0] - '0');
}

std::pair<int, int> largeInk(char c)
{
    return inkRows(largeFont[int(c)], 10, 8);
}

bool isPlaceholder(const char* entry, int code)
{
    std::string s = entry;
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s == std::to_string(code);
}

const char* const lowerWithoutAscenders = "acemnorsuvwxz";

} // namespace

TEST(SmallFont, GlyphLayoutAndHeaderWidths)
{
    for (int code = 32; code < 123; ++code) {
        if (code == 96)
            continue;
        ASSERT_NE(smallFont[code], nullptr) << code;
        const std::string glyph = smallFont[code];
        EXPECT_EQ(glyph.size(), code == ' ' ? 80u : 88u) << code;
        EXPECT_EQ(glyph[0] - '0', documentedWidth(char(code))) << code;
        EXPECT_EQ(glyph[1], code == '_' ? '7' : '8') << code;
        EXPECT_EQ(glyph.substr(2, 6), "000000") << code;
        EXPECT_TRUE(onlyBits(glyph.substr(8))) << code;
    }
    EXPECT_STREQ(smallFont[int('A')],
                 "380000000000000000000000010000001010000011100000101000001010000000000000"
                 "0000000000000000");
}

TEST(SmallFont, PlaceholdersWhereThereIsNoGlyph)
{
    for (int code = 0; code < 128; ++code)
        if (code < 32 || code == 96 || code > 122) {
            EXPECT_TRUE(isPlaceholder(smallFont[code], code)) << code;
        }
}

TEST(SmallFont, ShapesStandOnTheirRows)
{
    for (char c = '0'; c <= '9'; ++c)
        EXPECT_EQ(smallInk(c), std::make_pair(3, 7)) << c;
    for (char c = 'A'; c <= 'Z'; ++c)
        EXPECT_EQ(smallInk(c), std::make_pair(3, 7)) << c;
    for (const char* c = lowerWithoutAscenders; *c; ++c)
        EXPECT_EQ(smallInk(*c), std::make_pair(5, 7)) << *c;
    for (char c : std::string("bdhkl"))
        EXPECT_EQ(smallInk(c), std::make_pair(3, 7)) << c;
    for (char c : std::string("gjpqy"))
        EXPECT_EQ(smallInk(c).second, 9) << c;
}

TEST(SmallFont, BackslashAndYCarryPixelsTheDrawingCuts)
{
    const std::string backslash = smallFont[int('\\')];
    bool beyondWidth = false;
    for (int i = 1; i <= 10; ++i)
        beyondWidth |= backslash.substr(i * 8 + 2, 6).find('1') != std::string::npos;
    EXPECT_TRUE(beyondWidth);
    EXPECT_NE(std::string(smallFont[int('y')]).substr(80, 8).find('1'), std::string::npos);
}

TEST(LargeFont, GlyphLayout)
{
    for (int code = 32; code < 127; ++code) {
        ASSERT_NE(largeFont[code], nullptr) << code;
        const std::string glyph = largeFont[code];
        ASSERT_EQ(glyph.size(), 130u) << code;
        EXPECT_TRUE(onlyBits(glyph)) << code;
        EXPECT_EQ(glyph.substr(0, 10), "0000000000") << code;
        for (int i = 1; i < 13; ++i)
            EXPECT_EQ(glyph.substr(i * 10 + 8, 2), "00") << code << " row " << i;
    }
    EXPECT_STREQ(largeFont[int('A')],
                 "0000000000000000000000110000000111100000110011000011001100001100110000"
                 "111111000011001100001100110000110011000000000000000000000000");
}

TEST(LargeFont, EntriesThatAreNotGlyphs)
{
    for (int code = 0; code < 32; ++code)
        EXPECT_TRUE(isPlaceholder(largeFont[code], code)) << code;
    for (int code = 127; code < 142; ++code)
        EXPECT_TRUE(isPlaceholder(largeFont[code], code)) << code;
    ASSERT_NE(largeFont[142], nullptr);
    EXPECT_EQ(std::strlen(largeFont[142]), 88u);
    for (int code = 143; code < 256; ++code)
        EXPECT_EQ(largeFont[code], nullptr) << code;
}

TEST(LargeFont, ShapesStandOnTheirRows)
{
    for (char c = '0'; c <= '9'; ++c)
        EXPECT_EQ(largeInk(c), std::make_pair(2, 10)) << c;
    for (char c = 'A'; c <= 'Z'; ++c) {
        EXPECT_EQ(largeInk(c), std::make_pair(2, 10)) << c;
        for (int i = 0; i < 13; ++i)
            EXPECT_EQ(largeFont[int(c)][i * 10 + 7], '0') << c << " wider than 7";
    }
    for (const char* c = lowerWithoutAscenders; *c; ++c)
        EXPECT_EQ(largeInk(*c), std::make_pair(5, 10)) << *c;
    for (char c : std::string("gjpqy"))
        EXPECT_EQ(largeInk(c).second, 12) << c;
}
