// OpenGL 1.1 as the program uses it, on WebGL. The program draws in
// immediate mode: about 11,000 cubes a frame, each a push, a translate, a
// scale, a bind and three glBegin/glEnd pairs. Each of those as a WebGL call
// would cost far more than the drawing, so this layer keeps GL's state here,
// transforms every vertex by the model-view matrix as it arrives, and
// appends it to one vertex list per texture. WebGL is called only when
// something depends on what was drawn: a clear, a read-back, the
// framebuffer's copy, the end of the frame, or a change of depth, blend,
// colour, viewport or projection state.
//
// A frame whose only drawing is the clear and a copy of the same
// framebuffer (bytes, size, zoom, state) as the picture the canvas shows
// reaches WebGL not at all: the browser keeps showing a canvas nobody drew
// to, and an unchanging view costs no upload, copy or compositing. So a
// clear waits until something is drawn, read or presented after it.
//
// With the depth test on and blending off the picture does not depend on
// the order of the faces, so every face of a texture goes into that
// texture's list; otherwise faces keep their order (a new list whenever the
// texture changes). Lighting, shading and hints have nothing to do when
// lighting is off and colours are flat; normals are ignored. Implemented:
// GL_QUADS only, textures of RGB or RGBA bytes at level 0, glReadPixels and
// glDrawPixels in RGB or RGBA bytes. A texture without a complete image
// draws untextured in the current colour, as GL draws it.
#include "platform/web/gl11.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" {
// The WebGL device (webgl.js).
int webglCreateContext();
void webglDestroyContext();
void webglViewport(int x, int y, int width, int height);
void webglClear(unsigned mask, float red, float green, float blue, float alpha, float depth);
void webglTexImage(unsigned name, int width, int height, unsigned format, const void* pixels,
                   int alignment, int minFilter, int magFilter);
void webglTexFilters(unsigned name, int minFilter, int magFilter);
void webglDrawQuads(unsigned name, const float* vertices, int quads, const float* projection,
                    int depthTest, unsigned depthFunc, int blend, unsigned blendSrc,
                    unsigned blendDst, float red, float green, float blue, float alpha);
int webglReadPixels(int x, int y, int width, int height, std::uint8_t* rgba);
void webglDrawPixels(int width, int height, const void* rgba, float zoomX, float zoomY, int blend,
                     unsigned blendSrc, unsigned blendDst);
int webglPictureKept();
int webglTakeRestored();
}

namespace {
using Matrix = std::array<float, 16>; // column-major, as GL keeps it

constexpr Matrix identityMatrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
constexpr std::size_t maxStackDepth = 32; // GL's smallest allowed model-view stack
constexpr double degreesToRadians = 3.14159265358979323846 / 180.0;

struct MatrixStack {
    std::vector<Matrix> entries{identityMatrix};
    Matrix& top() { return entries.back(); }
};

// The state of one texture object: what decides whether it is complete.
struct Texture {
    int width = 0;
    int height = 0;
    GLint minFilter = GL_NEAREST_MIPMAP_LINEAR; // GL's default, which needs mipmaps
    GLint magFilter = GL_LINEAR;
};

struct Vertex {
    float x, y, z; // eye space
    float s, t;
};

// The faces waiting for one texture (0: untextured).
struct Batch {
    GLuint texture = 0;
    std::vector<Vertex> vertices;
};

// What a batch is drawn with; a change flushes the batches first.
struct DrawState {
    bool depthTest = false;
    GLenum depthFunc = GL_LESS;
    bool blend = false;
    GLenum blendSrc = GL_ONE;
    GLenum blendDst = GL_ZERO;
    std::array<float, 4> colour{1, 1, 1, 1};
};

struct Context {
    bool current = false;
    DrawState draw;
    bool texturing = false;
    GLenum matrixMode = GL_MODELVIEW;
    MatrixStack modelView;
    MatrixStack projection;
    std::vector<Texture> textures{Texture{}}; // by name; 0 is the default texture
    GLuint boundTexture = 0;
    GLuint nextTextureName = 1;
    std::array<float, 4> clearColour{0, 0, 0, 0};
    float clearDepth = 1;
    int packAlignment = 4;
    int unpackAlignment = 4;
    float zoomX = 1;
    float zoomY = 1;
    float s = 0, t = 0; // the current texture coordinate
};

Context context;

// A glClear not yet sent to WebGL.
struct Clear {
    GLbitfield mask = 0;
    std::array<float, 4> colour{};
    float depth = 1;
    bool operator==(const Clear&) const = default;
};

// A framebuffer copy and the clear before it (none: mask 0): what a frame
// that draws nothing else shows.
struct Copy {
    Clear clear;
    int width = 0;
    int height = 0;
    float zoomX = 0, zoomY = 0;
    bool blend = false;
    GLenum blendSrc = 0, blendDst = 0;
    std::vector<std::uint8_t> bytes;

    bool sameShape(const Copy& other) const
    {
        return clear == other.clear && width == other.width && height == other.height &&
               zoomX == other.zoomX && zoomY == other.zoomY && blend == other.blend &&
               blendSrc == other.blendSrc && blendDst == other.blendDst;
    }
};

// What the frame since the last present sent to WebGL.
struct Frame {
    bool drawnBefore = false; // cleared, drawn or read before the copy (or with no copy)
    bool copied = false;      // the copy sent
    bool held = false;        // the copy equalled `shown` and was not sent
    bool drawnAfter = false;  // anything sent after the copy
};

Clear pendingClear;  // mask 0: none
Copy shown;          // what the canvas shows, when shownValid
bool shownValid = false;
Copy frameCopy;      // this frame's copy, kept when it may become `shown`
Frame frame;

// Batches in use are the first `batchesUsed`; the rest keep their storage
// for the next frame.
std::vector<Batch> batches;
std::size_t batchesUsed = 0;
Batch* openBatch = nullptr; // the batch glBegin chose, until glEnd
std::size_t openFirstVertex = 0;

std::vector<std::uint8_t> readScratch;

void sendClear(const Clear& clear)
{
    const std::array<float, 4>& c = clear.colour;
    webglClear(clear.mask, c[0], c[1], c[2], c[3], clear.depth);
}

void sendCopy(const Copy& copy, const void* bytes)
{
    webglDrawPixels(copy.width, copy.height, bytes, copy.zoomX, copy.zoomY, copy.blend,
                    copy.blendSrc, copy.blendDst);
}

// Brings WebGL up to what the program asked before anything else reaches
// it: a copy held back (it is part of the picture now drawn over) and the
// pending clear.
void catchUp()
{
    if (frame.held) {
        frame.held = false;
        frame.copied = true;
        frame.drawnAfter = true;
        if (shown.clear.mask != 0)
            sendClear(shown.clear);
        sendCopy(shown, shown.bytes.data());
    }
    if (pendingClear.mask != 0) {
        sendClear(pendingClear);
        pendingClear = Clear{};
        (frame.copied ? frame.drawnAfter : frame.drawnBefore) = true;
    }
}

// Before a draw or a read-back reaches WebGL.
void beforeDrawing()
{
    catchUp();
    (frame.copied ? frame.drawnAfter : frame.drawnBefore) = true;
}

// Draws every batch in order and empties them.
void flush()
{
    const DrawState& state = context.draw;
    const Matrix& projection = context.projection.top();
    for (std::size_t i = 0; i < batchesUsed; ++i) {
        Batch& batch = batches[i];
        const int quads = int(batch.vertices.size() / 4);
        if (quads > 0)
            beforeDrawing();
        if (quads > 0)
            webglDrawQuads(batch.texture, &batch.vertices[0].x, quads, projection.data(),
                           state.depthTest, state.depthFunc, state.blend, state.blendSrc,
                           state.blendDst, state.colour[0], state.colour[1], state.colour[2],
                           state.colour[3]);
        batch.vertices.clear();
    }
    batchesUsed = 0;
}

// Flushes before a draw-state change; nothing to do inside glBegin/glEnd,
// where GL allows no such change.
void flushBeforeChange()
{
    if (!openBatch && batchesUsed > 0)
        flush();
}

Texture& textureObject(GLuint name)
{
    if (name >= context.textures.size())
        context.textures.resize(std::size_t(name) + 1);
    return context.textures[name];
}

// A texture GL would sample: an image at level 0 and a filter that needs no
// other level.
bool complete(GLuint name)
{
    if (name == 0 || name >= context.textures.size())
        return false;
    const Texture& texture = context.textures[name];
    const bool singleLevel = texture.minFilter == GL_NEAREST || texture.minFilter == GL_LINEAR;
    return texture.width > 0 && texture.height > 0 && singleLevel;
}

// The batch a glBegin appends to: the texture's own when order does not
// matter, else the last one if it has the same texture.
Batch& batchFor(GLuint texture)
{
    const bool orderFree = context.draw.depthTest && !context.draw.blend;
    if (orderFree) {
        for (std::size_t i = 0; i < batchesUsed; ++i)
            if (batches[i].texture == texture)
                return batches[i];
    } else if (batchesUsed > 0 && batches[batchesUsed - 1].texture == texture) {
        return batches[batchesUsed - 1];
    }
    if (batchesUsed == batches.size())
        batches.emplace_back();
    Batch& batch = batches[batchesUsed++];
    batch.texture = texture;
    return batch;
}

Matrix& currentMatrix()
{
    return context.matrixMode == GL_PROJECTION ? context.projection.top() : context.modelView.top();
}

MatrixStack& currentStack()
{
    return context.matrixMode == GL_PROJECTION ? context.projection : context.modelView;
}

// A projection change changes how pending faces are drawn.
void beforeMatrixChange()
{
    if (context.matrixMode == GL_PROJECTION)
        flushBeforeChange();
}

// m = m * other
void multiplyInto(Matrix& m, const Matrix& other)
{
    Matrix product;
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            float sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += m[k * 4 + row] * other[column * 4 + k];
            product[column * 4 + row] = sum;
        }
    m = product;
}

void setCapability(GLenum capability, bool on)
{
    switch (capability) {
    case GL_TEXTURE_2D:
        context.texturing = on; // read at glBegin
        break;
    case GL_DEPTH_TEST:
        if (context.draw.depthTest != on)
            flushBeforeChange();
        context.draw.depthTest = on;
        break;
    case GL_BLEND:
        if (context.draw.blend != on)
            flushBeforeChange();
        context.draw.blend = on;
        break;
    default:
        break; // lighting, colour material, face culling: never on here
    }
}

void setColour(float red, float green, float blue, float alpha)
{
    const std::array<float, 4> colour{red, green, blue, alpha};
    if (colour != context.draw.colour)
        flushBeforeChange();
    context.draw.colour = colour;
}

int bytesPerPixel(GLenum format)
{
    return format == GL_RGBA ? 4 : format == GL_RGB ? 3 : 0;
}

// Row length in bytes once padded to the alignment.
std::size_t paddedRow(int width, int bytes, int alignment)
{
    const std::size_t row = std::size_t(width) * std::size_t(bytes);
    return (row + std::size_t(alignment) - 1) / std::size_t(alignment) * std::size_t(alignment);
}
} // namespace

namespace {
// The layer's state as a new context has it: no textures, GL's defaults,
// nothing batched, pending or known to be on the canvas.
void startAfresh()
{
    for (std::size_t i = 0; i < batchesUsed; ++i)
        batches[i].vertices.clear();
    batchesUsed = 0;
    openBatch = nullptr;
    context = Context{};
    pendingClear = Clear{};
    shownValid = false;
    frame = Frame{};
}
} // namespace

bool createGl11Context()
{
    startAfresh();
    context.current = webglCreateContext() != 0;
    return context.current;
}

void destroyGl11Context()
{
    const bool current = context.current;
    startAfresh();
    if (current)
        webglDestroyContext();
}

bool takeGl11ContextRestored()
{
    if (!context.current || !webglTakeRestored())
        return false;
    startAfresh();
    context.current = true;
    return true;
}

void endGl11Frame()
{
    flushBeforeChange();
    if (pendingClear.mask != 0)
        catchUp();
    if (frame.held && !frame.drawnAfter) {
        // Nothing reached WebGL: the canvas keeps showing `shown`.
    } else if (frame.copied && !frame.drawnBefore && !frame.drawnAfter) {
        std::swap(shown, frameCopy);
        shownValid = true;
    } else if (frame.copied || frame.drawnBefore) {
        shownValid = false;
    }
    frame = Frame{};
}

extern "C" {

void glEnable(GLenum capability)
{
    setCapability(capability, true);
}

void glDisable(GLenum capability)
{
    setCapability(capability, false);
}

void glDepthFunc(GLenum function)
{
    if (function != context.draw.depthFunc)
        flushBeforeChange();
    context.draw.depthFunc = function;
}

void glBlendFunc(GLenum source, GLenum destination)
{
    if (source != context.draw.blendSrc || destination != context.draw.blendDst)
        flushBeforeChange();
    context.draw.blendSrc = source;
    context.draw.blendDst = destination;
}

void glShadeModel(GLenum) {}

void glHint(GLenum, GLenum) {}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha)
{
    context.clearColour = {red, green, blue, alpha};
}

void glClearDepth(GLclampd depth)
{
    context.clearDepth = float(depth);
}

// Waits until something depends on it; a second clear with other values
// sends the first.
void glClear(GLbitfield mask)
{
    flushBeforeChange();
    Clear clear{mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT), context.clearColour,
                context.clearDepth};
    if (clear.mask == 0)
        return;
    if (pendingClear.mask != 0 &&
        (pendingClear.colour != clear.colour || pendingClear.depth != clear.depth))
        catchUp();
    clear.mask |= pendingClear.mask;
    pendingClear = clear;
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    flushBeforeChange();
    webglViewport(x, y, width, height);
}

void glMatrixMode(GLenum mode)
{
    context.matrixMode = mode == GL_PROJECTION ? GL_PROJECTION : GL_MODELVIEW;
}

void glLoadIdentity()
{
    beforeMatrixChange();
    currentMatrix() = identityMatrix;
}

// A push past the stack's depth or a pop of its last entry is ignored, as
// GL ignores it (with an error nobody reads).
void glPushMatrix()
{
    MatrixStack& stack = currentStack();
    if (stack.entries.size() < maxStackDepth)
        stack.entries.push_back(stack.top());
}

void glPopMatrix()
{
    MatrixStack& stack = currentStack();
    if (stack.entries.size() <= 1)
        return;
    beforeMatrixChange();
    stack.entries.pop_back();
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    beforeMatrixChange();
    Matrix& m = currentMatrix();
    for (int row = 0; row < 4; ++row)
        m[12 + row] += m[row] * x + m[4 + row] * y + m[8 + row] * z;
}

void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    beforeMatrixChange();
    Matrix& m = currentMatrix();
    for (int row = 0; row < 4; ++row) {
        m[row] *= x;
        m[4 + row] *= y;
        m[8 + row] *= z;
    }
}

// The rotation by `angle` degrees about the axis (x, y, z), normalised.
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length == 0)
        return;
    x /= length;
    y /= length;
    z /= length;
    const float radians = float(double(angle) * degreesToRadians);
    const float s = std::sin(radians);
    const float c = std::cos(radians);
    const float k = 1 - c;
    const Matrix rotation{x * x * k + c,     y * x * k + z * s, x * z * k - y * s, 0,
                          x * y * k - z * s, y * y * k + c,     y * z * k + x * s, 0,
                          x * z * k + y * s, y * z * k - x * s, z * z * k + c,     0,
                          0,                 0,                 0,                 1};
    beforeMatrixChange();
    multiplyInto(currentMatrix(), rotation);
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    const double radians = fovy / 2 * degreesToRadians;
    const double sine = std::sin(radians);
    const double depth = zFar - zNear;
    if (depth == 0 || sine == 0 || aspect == 0)
        return;
    const double cotangent = std::cos(radians) / sine;
    Matrix perspective{};
    perspective[0] = float(cotangent / aspect);
    perspective[5] = float(cotangent);
    perspective[10] = float(-(zFar + zNear) / depth);
    perspective[11] = -1;
    perspective[14] = float(-2 * zNear * zFar / depth);
    beforeMatrixChange();
    multiplyInto(currentMatrix(), perspective);
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue)
{
    setColour(red, green, blue, 1);
}

void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha)
{
    setColour(red, green, blue, alpha);
}

void glNormal3f(GLfloat, GLfloat, GLfloat) {}

void glTexCoord2f(GLfloat s, GLfloat t)
{
    context.s = s;
    context.t = t;
}

void glBegin(GLenum mode)
{
    if (openBatch || mode != GL_QUADS)
        return;
    const bool textured = context.texturing && complete(context.boundTexture);
    openBatch = &batchFor(textured ? context.boundTexture : 0);
    openFirstVertex = openBatch->vertices.size();
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    if (!openBatch)
        return;
    const Matrix& m = context.modelView.top();
    openBatch->vertices.push_back({m[0] * x + m[4] * y + m[8] * z + m[12],
                              m[1] * x + m[5] * y + m[9] * z + m[13],
                              m[2] * x + m[6] * y + m[10] * z + m[14], context.s, context.t});
}

// A quad left with fewer than four vertices is dropped, as GL drops it.
void glEnd()
{
    if (!openBatch)
        return;
    const std::size_t added = openBatch->vertices.size() - openFirstVertex;
    openBatch->vertices.resize(openBatch->vertices.size() - added % 4);
    openBatch = nullptr;
}

void glGenTextures(GLsizei count, GLuint* names)
{
    for (GLsizei i = 0; i < count; ++i) {
        names[i] = context.nextTextureName++;
        textureObject(names[i]);
    }
}

void glBindTexture(GLenum, GLuint name)
{
    textureObject(name);
    context.boundTexture = name;
}

void glTexParameteri(GLenum, GLenum parameter, GLint value)
{
    Texture& texture = textureObject(context.boundTexture);
    if (parameter == GL_TEXTURE_MIN_FILTER)
        texture.minFilter = value;
    else if (parameter == GL_TEXTURE_MAG_FILTER)
        texture.magFilter = value;
    else
        return;
    if (complete(context.boundTexture))
        webglTexFilters(context.boundTexture, texture.minFilter, texture.magFilter);
}

// Internal format 3 or GL_RGB keeps RGB, 4 or GL_RGBA keeps RGBA; the bytes
// given must have that layout. An image of no pixels leaves the texture
// without one.
void glTexImage2D(GLenum, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid* pixels)
{
    if (level != 0 || border != 0 || type != GL_UNSIGNED_BYTE)
        return;
    const GLenum stored = internalFormat == 3 || internalFormat == GL_RGB    ? GL_RGB
                          : internalFormat == 4 || internalFormat == GL_RGBA ? GL_RGBA
                                                                               : 0;
    if (stored == 0 || stored != format)
        return;
    flushBeforeChange();
    Texture& texture = textureObject(context.boundTexture);
    const bool hasImage = width > 0 && height > 0;
    texture.width = hasImage ? width : 0;
    texture.height = hasImage ? height : 0;
    if (hasImage && context.boundTexture != 0)
        webglTexImage(context.boundTexture, width, height, format, pixels, context.unpackAlignment,
                      texture.minFilter == GL_LINEAR ? GL_LINEAR : GL_NEAREST, texture.magFilter);
}

void glPixelStorei(GLenum parameter, GLint value)
{
    if (value != 1 && value != 2 && value != 4 && value != 8)
        return;
    if (parameter == GL_PACK_ALIGNMENT)
        context.packAlignment = value;
    else if (parameter == GL_UNPACK_ALIGNMENT)
        context.unpackAlignment = value;
}

void glPixelZoom(GLfloat x, GLfloat y)
{
    context.zoomX = x;
    context.zoomY = y;
}

// WebGL reads RGBA only; RGB is taken from it, row by row, padded to the
// pack alignment.
void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                  GLvoid* pixels)
{
    const int bytes = bytesPerPixel(format);
    if (bytes == 0 || type != GL_UNSIGNED_BYTE || width <= 0 || height <= 0)
        return;
    flushBeforeChange();
    beforeDrawing();
    readScratch.resize(std::size_t(width) * std::size_t(height) * 4);
    if (!webglReadPixels(x, y, width, height, readScratch.data()))
        return;
    const std::size_t row = paddedRow(width, bytes, context.packAlignment);
    auto* target = static_cast<std::uint8_t*>(pixels);
    for (int j = 0; j < height; ++j) {
        const std::uint8_t* source = readScratch.data() + std::size_t(j) * std::size_t(width) * 4;
        std::uint8_t* out = target + std::size_t(j) * row;
        for (int i = 0; i < width; ++i, source += 4, out += bytes)
            for (int c = 0; c < bytes; ++c)
                out[c] = source[c];
    }
}

// RGBA bytes at the window's lower-left corner (the raster position is
// never moved), enlarged by the pixel zoom in window pixels (the device
// maps them to its drawing buffer). Held back when it would only show again
// what the canvas shows.
void glDrawPixels(GLsizei width, GLsizei height, GLenum format, GLenum type, const GLvoid* pixels)
{
    if (format != GL_RGBA || type != GL_UNSIGNED_BYTE || width <= 0 || height <= 0)
        return;
    flushBeforeChange();
    const DrawState& state = context.draw;
    Copy copy;
    copy.clear = pendingClear;
    copy.width = width;
    copy.height = height;
    copy.zoomX = context.zoomX;
    copy.zoomY = context.zoomY;
    copy.blend = state.blend;
    copy.blendSrc = state.blendSrc;
    copy.blendDst = state.blendDst;
    const std::size_t size = std::size_t(width) * std::size_t(height) * 4;
    const auto* bytes = static_cast<const std::uint8_t*>(pixels);
    const bool firstDrawing = !frame.drawnBefore && !frame.copied && !frame.held;
    if (firstDrawing && shownValid && shown.sameShape(copy) &&
        std::equal(bytes, bytes + size, shown.bytes.begin(), shown.bytes.end()) &&
        webglPictureKept()) {
        frame.held = true;
        pendingClear = Clear{};
        return;
    }
    if (firstDrawing) {
        if (pendingClear.mask != 0)
            sendClear(pendingClear); // the copy's own clear
        pendingClear = Clear{};
    } else {
        catchUp();
        (frame.copied ? frame.drawnAfter : frame.drawnBefore) = true;
    }
    sendCopy(copy, pixels);
    frame.copied = true;
    if (firstDrawing) { // it may become what the canvas shows
        copy.bytes.swap(frameCopy.bytes);
        copy.bytes.assign(bytes, bytes + size);
        frameCopy = std::move(copy);
    }
}

void glFinish()
{
    flushBeforeChange();
}

} // extern "C"
