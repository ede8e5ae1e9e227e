// The web backend's OpenGL 1.1 layer, run natively over a fake WebGL device
// that records what reaches it: vertices arrive in eye space, faces gather
// by texture only where their order cannot show, every state change that
// alters a batch flushes it first, read-back and pixel copies convert as GL
// does, a frame that would only show the canvas's picture again reaches the
// device not at all, and a context given back starts afresh.
#include "platform/web/gl11.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {
struct DeviceCall {
    std::string kind; // "draw", "clear", "viewport", "texImage", "read", "pixels"
    unsigned texture = 0;
    std::vector<float> vertices; // five floats a vertex
    std::array<float, 16> projection{};
    std::array<float, 4> colour{};
    bool depthTest = false;
    bool blend = false;
    float zoomX = 0, zoomY = 0;
    int alignment = 0;
};

std::vector<DeviceCall> calls;
bool pictureKept = true;      // what webglPictureKept answers
bool contextGivenBack = false; // what webglTakeRestored answers, once

DeviceCall named(const char* kind, unsigned texture = 0)
{
    DeviceCall call;
    call.kind = kind;
    call.texture = texture;
    return call;
}

std::vector<DeviceCall> draws()
{
    std::vector<DeviceCall> found;
    for (const DeviceCall& call : calls)
        if (call.kind == "draw")
            found.push_back(call);
    return found;
}

// One unit square in the z = 0 plane, as a quad.
void square()
{
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(0, 0, 0);
    glTexCoord2f(1, 0);
    glVertex3f(1, 0, 0);
    glTexCoord2f(1, 1);
    glVertex3f(1, 1, 0);
    glTexCoord2f(0, 1);
    glVertex3f(0, 1, 0);
    glEnd();
}

const std::uint8_t rgbPixels[2 * 2 * 3] = {};

// A context with two complete RGB textures, depth test on, blend off.
class Gl11Web : public ::testing::Test {
protected:
    GLuint textures[3] = {};

    void SetUp() override
    {
        pictureKept = true;
        contextGivenBack = false;
        ASSERT_TRUE(createGl11Context());
        glGenTextures(3, textures);
        for (GLuint name : {textures[0], textures[1]}) {
            glBindTexture(GL_TEXTURE_2D, name);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexImage2D(GL_TEXTURE_2D, 0, 3, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, rgbPixels);
        }
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_DEPTH_TEST);
        calls.clear();
    }

    void TearDown() override { destroyGl11Context(); }
};
} // namespace

// The fake device.
extern "C" {
int webglCreateContext()
{
    return 1;
}
void webglDestroyContext() {}
void webglViewport(int, int, int, int)
{
    calls.push_back(named("viewport"));
}
void webglClear(unsigned, float, float, float, float, float)
{
    calls.push_back(named("clear"));
}
void webglTexImage(unsigned name, int, int, unsigned, const void*, int alignment, int, int)
{
    DeviceCall call = named("texImage", name);
    call.alignment = alignment;
    calls.push_back(call);
}
void webglTexFilters(unsigned, int, int) {}
void webglDrawQuads(unsigned name, const float* vertices, int quads, const float* projection,
                    int depthTest, unsigned, int blend, unsigned, unsigned, float red, float green,
                    float blue, float alpha)
{
    DeviceCall call = named("draw", name);
    call.vertices.assign(vertices, vertices + quads * 4 * 5);
    for (int i = 0; i < 16; ++i)
        call.projection[std::size_t(i)] = projection[i];
    call.colour = {red, green, blue, alpha};
    call.depthTest = depthTest != 0;
    call.blend = blend != 0;
    calls.push_back(call);
}
// Pixel i of the rectangle reads back as (i, i + 1, i + 2, 255).
int webglReadPixels(int, int, int width, int height, std::uint8_t* rgba)
{
    for (int i = 0; i < width * height; ++i)
        for (int c = 0; c < 4; ++c)
            rgba[i * 4 + c] = std::uint8_t(c == 3 ? 255 : i + c);
    calls.push_back(named("read"));
    return 1;
}
void webglDrawPixels(int, int, const void*, float zoomX, float zoomY, int, unsigned, unsigned)
{
    DeviceCall call = named("pixels");
    call.zoomX = zoomX;
    call.zoomY = zoomY;
    calls.push_back(call);
}
int webglPictureKept()
{
    return pictureKept;
}
int webglTakeRestored()
{
    return std::exchange(contextGivenBack, false);
}
}

TEST_F(Gl11Web, VerticesArriveInEyeSpaceThroughTheMatrixStack)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(10, 20, 30);
    glPushMatrix();
    glRotatef(90, 0, 0, 1); // x becomes y
    glScalef(2, 2, 2);
    square();
    glPopMatrix();
    square();
    glFinish();
    const std::vector<DeviceCall> found = draws();
    ASSERT_EQ(found.size(), 1u);
    const std::vector<float>& v = found[0].vertices;
    ASSERT_EQ(v.size(), 2u * 4 * 5);
    // Corner (1, 0, 0) of the rotated, scaled square: (10, 22, 30).
    EXPECT_NEAR(v[5 + 0], 10, 1e-5);
    EXPECT_NEAR(v[5 + 1], 22, 1e-5);
    EXPECT_NEAR(v[5 + 2], 30, 1e-5);
    EXPECT_EQ(v[5 + 3], 1); // its texture coordinate
    // The same corner after the pop: (11, 20, 30).
    EXPECT_NEAR(v[20 + 5 + 0], 11, 1e-5);
    EXPECT_NEAR(v[20 + 5 + 1], 20, 1e-5);
}

TEST_F(Gl11Web, FacesGatherByTextureOnlyWhereOrderCannotShow)
{
    for (GLuint name : {textures[0], textures[1], textures[0]}) {
        glBindTexture(GL_TEXTURE_2D, name);
        square();
    }
    glFinish();
    std::vector<DeviceCall> found = draws();
    ASSERT_EQ(found.size(), 2u) << "depth test on, blend off: one draw per texture";
    EXPECT_EQ(found[0].texture, textures[0]);
    EXPECT_EQ(found[0].vertices.size(), 2u * 20);
    EXPECT_EQ(found[1].texture, textures[1]);

    calls.clear();
    glEnable(GL_BLEND);
    for (GLuint name : {textures[0], textures[1], textures[0]}) {
        glBindTexture(GL_TEXTURE_2D, name);
        square();
    }
    glFinish();
    found = draws();
    ASSERT_EQ(found.size(), 3u) << "blending: the faces keep their order";
    EXPECT_EQ(found[2].texture, textures[0]);
    EXPECT_TRUE(found[2].blend);
}

TEST_F(Gl11Web, StateChangesFlushWhatWasDrawnBefore)
{
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    square();
    glColor3f(1, 0, 0);
    square();
    glDisable(GL_DEPTH_TEST);
    square();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90, 1, 1, 3);
    glMatrixMode(GL_MODELVIEW);
    square();
    glViewport(0, 0, 10, 10);
    square();
    glClear(GL_COLOR_BUFFER_BIT);
    endGl11Frame(); // a clear waits for what depends on it
    std::vector<std::string> kinds;
    for (const DeviceCall& call : calls)
        kinds.push_back(call.kind);
    EXPECT_EQ(kinds, (std::vector<std::string>{"draw", "draw", "draw", "draw", "viewport", "draw",
                                               "clear"}));
    const std::vector<DeviceCall> found = draws();
    EXPECT_EQ(found[0].colour, (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_EQ(found[1].colour, (std::array<float, 4>{1, 0, 0, 1}));
    EXPECT_TRUE(found[1].depthTest);
    EXPECT_FALSE(found[2].depthTest);
    // gluPerspective(90, 1, 1, 3): cot 45 = 1, -(3 + 1) / 2, -2 * 3 / 2.
    EXPECT_NEAR(found[3].projection[0], 1, 1e-6);
    EXPECT_NEAR(found[3].projection[10], -2, 1e-6);
    EXPECT_EQ(found[3].projection[11], -1);
    EXPECT_NEAR(found[3].projection[14], -3, 1e-6);
    EXPECT_EQ(found[3].projection[15], 0);
}

TEST_F(Gl11Web, TexturesWithoutACompleteImageDrawInTheColourAlone)
{
    glBindTexture(GL_TEXTURE_2D, textures[2]); // generated, never given an image
    square();
    glBindTexture(GL_TEXTURE_2D, 0);
    square();
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_LINEAR); // no mipmaps
    square();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glDisable(GL_TEXTURE_2D);
    square();
    glEnable(GL_TEXTURE_2D);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, 0, 0, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr); // emptied
    square();
    glFinish();
    std::size_t vertices = 0;
    for (const DeviceCall& call : draws()) {
        EXPECT_EQ(call.texture, 0u);
        vertices += call.vertices.size() / 5;
    }
    EXPECT_EQ(vertices, 5u * 4);
}

TEST_F(Gl11Web, UploadsKeepTheUnpackAlignment)
{
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, textures[2]);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, rgbPixels);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, "texImage");
    EXPECT_EQ(calls[0].texture, textures[2]);
    EXPECT_EQ(calls[0].alignment, 1);
}

TEST_F(Gl11Web, AQuadShortOfFourVerticesIsDropped)
{
    glBegin(GL_QUADS);
    for (int i = 0; i < 6; ++i)
        glVertex3f(float(i), 0, 0);
    glEnd();
    glVertex3f(9, 9, 9); // outside glBegin: nothing
    glFinish();
    const std::vector<DeviceCall> found = draws();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].vertices.size(), 4u * 5);
}

TEST_F(Gl11Web, ReadPixelsInRgbRowsPaddedToThePackAlignment)
{
    std::vector<std::uint8_t> pixels(2 * 12, 0xee); // 3 x 2 pixels, rows of 9 bytes padded to 12
    glReadPixels(0, 0, 3, 2, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    const std::vector<std::uint8_t> expected = {0, 1, 2, 1, 2, 3, 2, 3, 4, 0xee, 0xee, 0xee,
                                                3, 4, 5, 4, 5, 6, 5, 6, 7, 0xee, 0xee, 0xee};
    EXPECT_EQ(pixels, expected);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    std::vector<std::uint8_t> packed(18);
    glReadPixels(0, 0, 3, 2, GL_RGB, GL_UNSIGNED_BYTE, packed.data());
    EXPECT_EQ(packed[9], 3);
}

TEST_F(Gl11Web, PixelCopiesPassTheZoomInWindowPixelsToTheDevice)
{
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    square();
    const std::uint8_t rgba[4] = {};
    glPixelZoom(4, 4);
    glDrawPixels(1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, "draw") << "what was drawn before the copy lands under it";
    EXPECT_EQ(calls[1].kind, "pixels");
    EXPECT_EQ(calls[1].zoomX, 4); // the device maps window pixels to its drawing buffer
    EXPECT_EQ(calls[1].zoomY, 4);
}

namespace {
// One frame as the program draws it: the clear, what `between` draws, the
// framebuffer's copy at the zoom, the end of the frame. The device calls it
// made, by kind.
template <typename Between>
std::vector<std::string> frameOf(const std::vector<std::uint8_t>& rgba, int width, float zoom,
                                 Between between)
{
    calls.clear();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    between();
    glPixelZoom(zoom, zoom);
    glDrawPixels(width, int(rgba.size()) / 4 / width, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    endGl11Frame();
    std::vector<std::string> kinds;
    for (const DeviceCall& call : calls)
        kinds.push_back(call.kind);
    return kinds;
}

std::vector<std::string> frameOf(const std::vector<std::uint8_t>& rgba, int width = 2, float zoom = 2)
{
    return frameOf(rgba, width, zoom, [] {});
}

using Kinds = std::vector<std::string>;
const Kinds clearAndCopy{"clear", "pixels"};
} // namespace

TEST_F(Gl11Web, AFrameThatWouldShowTheSamePictureAgainSendsNothing)
{
    const std::vector<std::uint8_t> picture(2 * 2 * 4, 7);
    std::vector<std::uint8_t> changed = picture;
    changed[5] = 8;
    EXPECT_EQ(frameOf(picture), clearAndCopy);
    EXPECT_EQ(frameOf(picture), Kinds{}) << "the same bytes, size and zoom";
    EXPECT_EQ(frameOf(picture), Kinds{});
    // Anything else about the frame shows it.
    struct Case {
        const char* what;
        std::function<Kinds()> frame;
        Kinds after; // the first frame of `picture` again
    };
    const Case cases[] = {
        {"other bytes", [&] { return frameOf(changed); }, clearAndCopy},
        {"another size", [&] { return frameOf(picture, 1); }, clearAndCopy},
        {"another zoom", [&] { return frameOf(picture, 2, 3); }, clearAndCopy},
        {"the canvas lost its picture (resized)", [&] {
             pictureKept = false;
             return frameOf(picture);
         }, Kinds{}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(frameOf(picture), Kinds{}) << "before: " << c.what;
        EXPECT_EQ(c.frame(), clearAndCopy) << c.what;
        pictureKept = true;
        EXPECT_EQ(frameOf(picture), c.after) << "after: " << c.what;
    }
}

TEST_F(Gl11Web, FramesThatDrawOrReadBesidesTheCopyAreAlwaysShown)
{
    const std::vector<std::uint8_t> picture(2 * 2 * 4, 7);
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    std::uint8_t pixel[4];
    const Kinds drawn{"clear", "draw", "pixels"};
    const Kinds read{"clear", "read", "pixels"};
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_EQ(frameOf(picture, 2, 2, square), drawn) << "frame " << frame;
        EXPECT_EQ(frameOf(picture, 2, 2, [&] { glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel); }),
                  read);
    }
    EXPECT_EQ(frameOf(picture), clearAndCopy) << "the canvas showed a 3D frame";
    EXPECT_EQ(frameOf(picture), Kinds{});

    // Drawing after a copy held back brings the clear and the copy back
    // first; the frame after it is shown again.
    calls.clear();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDrawPixels(2, 2, GL_RGBA, GL_UNSIGNED_BYTE, picture.data());
    EXPECT_TRUE(calls.empty());
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    endGl11Frame();
    Kinds kinds;
    for (const DeviceCall& call : calls)
        kinds.push_back(call.kind);
    EXPECT_EQ(kinds, (Kinds{"clear", "pixels", "read"}));
    EXPECT_EQ(frameOf(picture), clearAndCopy);
}

TEST_F(Gl11Web, AContextGivenBackStartsAfreshOnce)
{
    const std::vector<std::uint8_t> picture(2 * 2 * 4, 7);
    frameOf(picture);
    EXPECT_FALSE(takeGl11ContextRestored()) << "nothing given back yet";
    contextGivenBack = true;
    ASSERT_TRUE(takeGl11ContextRestored());
    EXPECT_FALSE(takeGl11ContextRestored());
    GLuint name = 0;
    glGenTextures(1, &name);
    EXPECT_EQ(name, 1u) << "texture names start again";
    EXPECT_EQ(frameOf(picture), clearAndCopy) << "the canvas holds nothing";
}

TEST_F(Gl11Web, ANewContextStartsAfresh)
{
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    square(); // never drawn: the context goes first
    destroyGl11Context();
    ASSERT_TRUE(createGl11Context());
    EXPECT_TRUE(draws().empty());
    GLuint name = 0;
    glGenTextures(1, &name);
    EXPECT_EQ(name, 1u);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, name);
    square(); // no image in the new context's texture 1
    glFinish();
    ASSERT_EQ(draws().size(), 1u);
    EXPECT_EQ(draws()[0].texture, 0u);
    EXPECT_FALSE(draws()[0].depthTest) << "a new context starts with the depth test off";
}
