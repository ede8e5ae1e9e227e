// Text far off screen, as fuzzing met it: pens and rows at the ends of the
// int range draw nothing and never overflow, the pen stops at INT_MAX, and
// glyphs that only cross an edge still draw their visible pixels.
#include "draw2d/text.h"
#include "platform/video.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <set>
#include <string>
#include <utility>

namespace {

using Pixels = std::set<std::pair<int, int>>;
using Draw = void (*)(int, int, int, int, int);

Pixels draw(Draw routine, const std::string& text, int x, int y)
{
    setVideoMode(320, 240);
    std::memset(textLine, 0, textLineSize);
    std::memcpy(textLine, text.data(), text.size());
    routine(x, y, 255, 255, 0);
    Pixels drawn;
    for (int row = 0; row < screenHeight; ++row)
        for (int column = 0; column < screenWidth; ++column)
            if (framebuffer[(std::size_t(row) * screenWidth + column) * 4 + 3] != 0)
                drawn.insert({column, row});
    return drawn;
}

// The pixels a drawing at (x, y) must have, from one made well inside the
// screen at (refX, refY).
Pixels movedOnScreen(const Pixels& reference, int dx, int dy)
{
    Pixels moved;
    for (auto [x, y] : reference)
        if (x + dx >= 0 && x + dx < screenWidth && y + dy >= 0 && y + dy < screenHeight)
            moved.insert({x + dx, y + dy});
    return moved;
}

} // namespace

TEST(TextLimits, PensAndRowsAtTheEndsOfTheIntRangeDrawNothing)
{
    for (Draw routine : {Draw(drawTextSmall), Draw(drawTextLarge)}) {
        for (auto [x, y] : {std::pair{INT_MIN, 100}, {INT_MAX - 3, 100}, {100, INT_MIN},
                            {100, INT_MAX}, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}}) {
            EXPECT_TRUE(draw(routine, "@MW$g", x, y).empty()) << x << ", " << y;
            EXPECT_EQ(textPen.index, 5);
        }
    }
}

TEST(TextLimits, ThePenStopsAtIntMax)
{
    draw(drawTextLarge, "MMMM", INT_MAX - 20, 100);
    EXPECT_EQ(textPen.x, INT_MAX); // 12 short of the last advance
    draw(drawTextLarge, "MM", INT_MAX - 16, 100);
    EXPECT_EQ(textPen.x, INT_MAX); // exactly reached
    draw(drawTextSmall, "@@@", INT_MAX - 10, 100);
    EXPECT_EQ(textPen.x, INT_MAX);
    draw(drawTextSmall, "ii", INT_MIN, 100);
    EXPECT_EQ(textPen.x, INT_MIN + 4); // a pen far left still advances
}

// Every position where the text's box only crosses an edge: the pixels that
// remain are exactly those of the same text drawn inside, moved and cut.
TEST(TextLimits, GlyphsCrossingAnEdgeKeepTheirVisiblePixels)
{
    const std::string text = "@W$g|j";
    constexpr int refX = 100, refY = 100;
    for (Draw routine : {Draw(drawTextSmall), Draw(drawTextLarge)}) {
        const Pixels reference = draw(routine, text, refX, refY);
        std::set<std::pair<int, int>> places;
        for (int d = -60; d <= 2; ++d)
            places.insert({d, refY});
        for (int d = -2; d <= 2; ++d)
            places.insert({screenWidth + d, refY});
        for (int d = -14; d <= 2; ++d)
            places.insert({refX, d});
        for (int d = -2; d <= 13; ++d)
            places.insert({refX, screenHeight + d});
        for (auto [x, y] : places)
            EXPECT_EQ(draw(routine, text, x, y), movedOnScreen(reference, x - refX, y - refY))
                << x << ", " << y;
    }
}
