// Whole 3D frames on the offscreen context: what the read-back copies into
// the framebuffer, the frame's order of drawing, moving and turning, and the
// frame loop's copy of the view cell into the player unit.
#include "view_fixture.h"

#include "app/game.h"
#include "platform/test_seam.h"
#include "view3d/read_back.h"
#include "view3d/scene3d.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
constexpr std::size_t readBytes = 320 * 240 * 3;

bool isBackground(const std::uint8_t* rgb)
{
    return std::memcmp(rgb, backgroundKey, 3) == 0;
}

std::vector<std::uint8_t> readBackCopy()
{
    return {readBackBuffer.get(), readBackBuffer.get() + readBytes};
}

bool framebufferIsClear()
{
    const std::size_t bytes = std::size_t(screenWidth) * screenHeight * 4;
    for (std::size_t i = 0; i < bytes; ++i)
        if (framebuffer[i] != 0)
            return false;
    return true;
}

// Puts the cursor over framebuffer pixel roughly (x, y) of the window.
void pointAt(int x, int y)
{
    int left, top, width, height;
    ASSERT_TRUE(gameWindowRect(left, top, width, height));
    overrideCursor(left + x, top + height - 1 - y);
}

class Scene3D : public View3D {
protected:
    static constexpr int aheadRow = homeCell - 3; // the camera looks towards lower rows
    void TearDown() override
    {
        stopCursorOverride();
        View3D::TearDown();
    }
};
} // namespace

TEST_F(Scene3D, AnEmptyWindowReadsBackOnlyBackgroundAndCopiesNothing)
{
    clearFrame();
    updateScene3D();
    for (std::size_t i = 0; i < readBytes; i += 3)
        ASSERT_TRUE(isBackground(readBackBuffer.get() + i)) << "pixel " << i / 3;
    EXPECT_TRUE(framebufferIsClear());
}

TEST_F(Scene3D, ACubeAheadIsCopiedOpaqueAndUncoveredPixelsStayClear)
{
    occupy(homeCell, aheadRow, homeCell);
    clearFrame();
    updateScene3D();
    const std::uint8_t* centre = framebufferPixel(160, 120);
    EXPECT_EQ(centre[0], 255); // no cube image: drawn white
    EXPECT_EQ(centre[1], 255);
    EXPECT_EQ(centre[2], 255);
    EXPECT_EQ(centre[3], 255);
    int copied = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            const std::uint8_t* pixel = framebufferPixel(x, y);
            if (isBackground(readBackPixel(x, y))) {
                ASSERT_EQ(pixel[0] | pixel[1] | pixel[2] | pixel[3], 0) << x << "," << y;
            } else {
                ASSERT_EQ(pixel[3], 255) << x << "," << y;
                ++copied;
            }
        }
    EXPECT_GT(copied, 1000);
    EXPECT_LT(copied, 320 * 240 / 2);
    EXPECT_EQ(framebufferPixel(0, 0)[3], 0);
}

TEST_F(Scene3D, At640By480TheViewIsReadButNothingIsCopied)
{
    setVideoMode(640, 480);
    occupy(homeCell, aheadRow, homeCell);
    clearFrame();
    updateScene3D();
    EXPECT_FALSE(isBackground(readBackPixel(160, 120))) << "the picture was read";
    EXPECT_TRUE(framebufferIsClear());
}

TEST_F(Scene3D, AModeTooSmallForTheViewReadsNothing)
{
    setVideoMode(100, 100);
    occupy(homeCell, aheadRow, homeCell);
    updateScene3D(); // would overrun readBackBuffer if it read
    EXPECT_TRUE(framebufferIsClear());
}

// From inside a closed room no background shows in any direction: the
// window walk and the faces leave no hole.
TEST_F(Scene3D, AClosedRoomCoversEveryPixelWhereverTheCameraLooks)
{
    for (int z = homeCell - 1; z <= homeCell + 2; ++z)
        for (int y = homeCell - 3; y <= homeCell + 3; ++y)
            for (int x = homeCell - 3; x <= homeCell + 3; ++x) {
                const bool inside = z >= homeCell && z <= homeCell + 1 &&
                                    std::abs(y - homeCell) < 3 && std::abs(x - homeCell) < 3;
                occupy(x, y, z, inside ? Air : Brick);
            }
    const float views[][2] = {{0, -90}, {90, -90}, {200, -90}, {-45, -60}, {30, 0}, {0, -180}};
    for (const auto& view : views) {
        viewYaw = view[0];
        viewPitch = view[1];
        clearFrame();
        updateScene3D();
        int background = 0;
        for (std::size_t i = 0; i < readBytes; i += 3)
            background += isBackground(readBackBuffer.get() + i);
        EXPECT_EQ(background, 0) << "yaw " << view[0] << " pitch " << view[1];
    }
}

// The left button draws the camera where it stood, then flies it forward and
// turns it towards the mouse for the next frame.
TEST_F(Scene3D, HoldingTheLeftButtonDrawsThenFliesThenTurns)
{
    occupy(homeCell, aheadRow, homeCell, Dirt);
    occupy(homeCell - 2, aheadRow, homeCell - 1);
    pointAt(40, 30);
    setKeyHeld(vkLeftButton, true);
    updateScene3D();
    const auto flying = readBackCopy();
    EXPECT_NEAR(playerUnit().subY, 0.4, 1e-6) << "one step towards lower rows";
    EXPECT_EQ(playerUnit().stepCount, 1);
    EXPECT_EQ(viewYaw, 20 - 2 * mouseX());
    EXPECT_EQ(viewPitch, -mouseY());

    releaseAllKeys();
    playerUnit().subY = 0.5f;
    viewYaw = 0;
    viewPitch = -90;
    updateScene3D();
    EXPECT_EQ(readBackCopy(), flying) << "the frame shows the camera before its step";
}

TEST_F(Scene3D, TheMiddleAndRightButtonsTurnWithoutFlying)
{
    for (int button : {vkMiddleButton, vkRightButton}) {
        releaseAllKeys();
        viewYaw = 0;
        viewPitch = -90;
        pointAt(300, 200);
        setKeyHeld(button, true);
        updateScene3D();
        EXPECT_EQ(viewYaw, 20 - 2 * mouseX());
        EXPECT_EQ(viewPitch, -mouseY());
        EXPECT_EQ(playerUnit().subY, 0.5f);
        EXPECT_EQ(playerUnit().stepCount, 0);
    }
    releaseAllKeys();
    updateScene3D();
    EXPECT_EQ(viewYaw, 20 - 2 * mouseX()) << "no button: the view stays";
}

TEST_F(Scene3D, AFrameAt320CopiesTheViewCellIntoThePlayerUnit)
{
    SX = -3;
    SY = 70;
    SZ = 20;
    runFrame();
    EXPECT_EQ(playerUnit().cellX, 65533) << "the low 16 bits";
    EXPECT_EQ(playerUnit().cellY, 70);
    EXPECT_EQ(playerUnit().cellZ, 20);
}
