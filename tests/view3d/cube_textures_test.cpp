// The cube textures every new GL context creates from the image table, and
// how a cube's picture appears on screen.
#include "view_fixture.h"

#include "view3d/cube_textures.h"
#include "view3d/scene3d.h"

#include <GL/gl.h>

#include <array>
#include <cstring>
#include <set>
#include <vector>

namespace {
constexpr int pictureCode = Brick;

// A width x height picture whose every byte differs from its neighbours.
void setPicture(int id, int width, int height, std::uint8_t firstByte)
{
    ImageRecord& image = imageTable[id];
    const std::size_t bytes = std::size_t(width) * height * 3;
    image.pixels = std::make_unique<std::uint8_t[]>(bytes);
    for (std::size_t i = 0; i < bytes; ++i)
        image.pixels[i] = std::uint8_t(firstByte + 7 * i);
    image.width = width;
    image.height = height;
    image.bytesPerPixel = 3;
}

void setPictureRows(int id, const std::vector<std::array<std::uint8_t, 3>>& rows)
{
    ImageRecord& image = imageTable[id];
    image.pixels = std::make_unique<std::uint8_t[]>(rows.size() * 2 * 3);
    for (std::size_t row = 0; row < rows.size(); ++row)
        for (int column = 0; column < 2; ++column)
            std::memcpy(&image.pixels[(row * 2 + column) * 3], rows[row].data(), 3);
    image.width = 2;
    image.height = int(rows.size());
    image.bytesPerPixel = 3;
}

void reopenWindow()
{
    destroyWindowAndContext();
    ASSERT_TRUE(openGameWindow());
}

struct Level0 {
    GLint width, height, magFilter, minFilter;
    std::vector<std::uint8_t> rgb;
};

Level0 textureOf(int code)
{
    Level0 level{};
    glBindTexture(GL_TEXTURE_2D, cubeTextureNames[code]);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &level.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &level.height);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &level.magFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &level.minFilter);
    level.rgb.resize(std::size_t(level.width) * level.height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    if (!level.rgb.empty())
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, level.rgb.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return level;
}
} // namespace

// An odd width makes rows that are not a multiple of 4 bytes: they must
// arrive unsheared. A record with a size but no pixels uploads as empty.
TEST_F(View3D, EveryNewContextUploadsTheCubePicturesAsStored)
{
    setPicture(1201, 3, 2, 10);
    setPicture(1206, 5, 3, 99);
    imageTable[1202].width = imageTable[1202].height = 4;
    const std::vector<std::uint8_t> brick(imageTable[1201].pixels.get(),
                                          imageTable[1201].pixels.get() + 3 * 2 * 3);
    const std::vector<std::uint8_t> last(imageTable[1206].pixels.get(),
                                         imageTable[1206].pixels.get() + 5 * 3 * 3);
    for (int opening = 0; opening < 2; ++opening) {
        reopenWindow();
        for (int code = 0; code < cubeImageCount; ++code)
            EXPECT_TRUE(glIsTexture(cubeTextureNames[code])) << "code " << code;
        const Level0 level = textureOf(1);
        EXPECT_EQ(level.width, 3);
        EXPECT_EQ(level.height, 2);
        EXPECT_EQ(level.magFilter, GL_NEAREST);
        EXPECT_EQ(level.minFilter, GL_NEAREST);
        EXPECT_EQ(level.rgb, brick);
        EXPECT_EQ(textureOf(6).rgb, last);
        EXPECT_EQ(textureOf(0).width, 0) << "no picture: an empty texture";
        EXPECT_EQ(textureOf(2).width, 0) << "a size without pixels is not handed to GL";
    }
}

// Every code the table holds binds its own name, also 7..31 whose names never
// receive an image; the plan codes from 32 up bind no texture at all, and the
// table is never read past its end.
TEST_F(View3D, EachCodeOfTheTableBindsItsOwnNameAndLaterCodesNone)
{
    std::set<std::uint32_t> names;
    for (int code = 0; code < cubeTextureCount; ++code) {
        EXPECT_EQ(cubeTextureFor(std::uint8_t(code)), cubeTextureNames[code]) << "code " << code;
        names.insert(cubeTextureNames[code]);
    }
    EXPECT_EQ(names.size(), std::size_t(cubeTextureCount));
    EXPECT_FALSE(names.count(0)) << "every entry holds a generated name";
    for (int code = cubeTextureCount; code < 256; ++code)
        EXPECT_EQ(cubeTextureFor(std::uint8_t(code)), 0u) << "code " << code;
}

// Seen level from inside the world, a cube's side shows its picture upright:
// the picture's top row (the last row stored) at the top of the screen.
TEST_F(View3D, ASideFaceShowsItsPictureUpright)
{
    const std::array<std::uint8_t, 3> red = {200, 0, 0}, blue = {0, 0, 200};
    setPictureRows(1200 + pictureCode, {red, blue});
    reopenWindow();
    occupy(homeCell, homeCell - 3, homeCell, pictureCode);
    occupy(homeCell - 1, homeCell - 3, homeCell, 200); // a plan code: plain white
    clearFrame();
    updateScene3D();
    const std::uint8_t* below = framebufferPixel(160, 100);
    const std::uint8_t* above = framebufferPixel(160, 140);
    EXPECT_EQ((std::array<int, 3>{below[0], below[1], below[2]}), (std::array<int, 3>{200, 0, 0}));
    EXPECT_EQ((std::array<int, 3>{above[0], above[1], above[2]}), (std::array<int, 3>{0, 0, 200}));
    int whiteColumns = 0;
    for (int x = 0; x < 320; ++x) {
        const std::uint8_t* pixel = framebufferPixel(x, 120);
        whiteColumns += pixel[0] == 255 && pixel[1] == 255 && pixel[2] == 255;
    }
    EXPECT_GT(whiteColumns, 20) << "the plan-code cube beside it";
}
