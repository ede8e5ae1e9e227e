// The contact sheet: pictures plotted into the framebuffer, labels drawn
// through textLine with the small font, the result saved as a PNG.
#include "art/sheet.h"

#include "art/library.h"
#include "draw2d/primitives.h"
#include "draw2d/text.h"
#include "platform/png_writer.h"
#include "platform/video.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr int columns = 4;
constexpr int cellWidth = 200;
constexpr int cellHeight = 40;
constexpr int margin = 6;
constexpr int thumbSide = 32;
constexpr Rgb backdrop{34, 32, 52};

// Plots `picture` fitted into a thumbSide square whose top-left corner is
// (left, top), y counted from the bottom as framebuffer rows are.
void plotThumbnail(const Canvas& picture, int left, int top)
{
    const int side = std::min(thumbSide, std::max(picture.width, picture.height) * 2);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const Rgb pixel = pixelAt(picture, x * picture.width / side, y * picture.height / side);
            plotPixel(left + x, top - y, pixel.r, pixel.g, pixel.b);
        }
}

void plotBackdrop()
{
    for (int y = 0; y < screenHeight; ++y)
        for (int x = 0; x < screenWidth; ++x)
            plotPixel(x, y, backdrop.r, backdrop.g, backdrop.b);
}

void drawEntry(const CatalogueLoad& load, int index)
{
    const int left = margin + (index % columns) * cellWidth;
    const int top = screenHeight - 1 - margin - (index / columns) * cellHeight;
    Canvas picture;
    if (!paintCatalogueImage(load, picture))
        return;
    plotThumbnail(picture, left, top);
    std::snprintf(textLine, textLineSize, "%s", load.name);
    drawTextSmall(left + thumbSide + 6, top - 9, 240, 238, 228);
    std::snprintf(textLine, textLineSize, "%d  %s  %dx%d", load.id, load.folder, picture.width,
                  picture.height);
    drawTextSmall(left + thumbSide + 6, top - 21, 158, 166, 176);
}
}

bool writeContactSheet(const std::string& path, std::string& error)
{
    const int rows = (catalogueLoadCount + columns - 1) / columns;
    setVideoMode(columns * cellWidth + margin, rows * cellHeight + 2 * margin);
    plotBackdrop();
    for (int index = 0; index < catalogueLoadCount; ++index)
        drawEntry(imageCatalogue[index], index);
    const bool written = writePngRgb(path, screenWidth, screenHeight, framebufferRgbTopFirst(), error);
    releaseVideoBuffers();
    return written;
}
