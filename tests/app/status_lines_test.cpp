// The status lines every frame draws: where they stand and what the position
// line prints in each mode.
#include "app/frame_steps.h"
#include "draw2d/text.h"
#include "platform/video.h"
#include "platform/window.h"
#include "world/view_cell.h"

#include <gtest/gtest.h>

#include <string>

namespace {
bool anyYellowInRows(int firstRow, int lastRow)
{
    for (int y = firstRow; y <= lastRow; ++y)
        for (int x = 0; x < screenWidth; ++x) {
            const std::uint8_t* p = framebuffer.get() + (std::size_t(y) * screenWidth + x) * 4;
            if (p[0] == 255 && p[1] == 255 && p[2] == 0 && p[3] == 255)
                return true;
        }
    return false;
}

class StatusLines : public testing::Test {
protected:
    // The mouse reads (0, 0) with no window open.
    void SetUp() override { destroyWindowAndContext(); }
    void TearDown() override
    {
        SX = 0;
        SY = 0;
        SZ = 12;
    }
};
}

TEST_F(StatusLines, The3DModePrintsTheViewCell)
{
    setVideoMode(320, 240);
    SX = 100;
    SY = 50;
    SZ = 13;
    drawStatusLines();
    EXPECT_EQ(std::string(textLine), "SX=100,SY=50,SZ=13 mx=0 my=0");
}

TEST_F(StatusLines, TheMapModePrintsTheMapOrigin15CellsOff)
{
    setVideoMode(640, 480);
    SX = 100;
    SY = 50;
    drawStatusLines();
    EXPECT_EQ(std::string(textLine), "SX=85,SY=35,SZ=12 mx=0 my=0");
    EXPECT_EQ(SX, 100);
    EXPECT_EQ(SY, 50);
}

TEST_F(StatusLines, BannerAtTheTopCreditAndPositionAtTheBottom)
{
    for (const int height : {240, 480}) {
        setVideoMode(height * 4 / 3, height);
        drawStatusLines();
        // Banner capitals cover rows H-24 .. H-16; position line 21 .. 29;
        // credit line capitals 9 .. 13 with descenders to 7.
        EXPECT_TRUE(anyYellowInRows(height - 24, height - 16)) << height;
        EXPECT_TRUE(anyYellowInRows(21, 29)) << height;
        EXPECT_TRUE(anyYellowInRows(7, 15)) << height;
        EXPECT_FALSE(anyYellowInRows(32, height - 27)) << height;
        EXPECT_FALSE(anyYellowInRows(0, 6)) << height;
    }
}
