// PNG output through libpng, the encoder Linux has.
#include "platform/png_writer.h"

#include "platform/file_output.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
// libpng reports here instead of printing on stderr: the message becomes the
// caller's error text and the write is abandoned.
[[noreturn]] void abandonWrite(png_structp png, png_const_charp message)
{
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}
}

namespace {
// Writes the picture into an open stream through libpng.
bool encodePng(std::FILE* file, int width, int height,
               const std::vector<std::uint8_t>& rgbTopFirst, std::string& error)
{
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, abandonWrite, ignoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        error = "out of memory";
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        // A failed write says more through errno than libpng's "Write Error".
        if (std::ferror(file))
            error = std::strerror(errno);
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int row = 0; row < height; ++row)
        png_write_row(png, rgbTopFirst.data() + std::size_t(row) * width * 3);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
} // namespace

bool writePngRgb(const std::string& path, int width, int height,
                 const std::vector<std::uint8_t>& rgbTopFirst, std::string& error)
{
    if (width <= 0 || height <= 0 || rgbTopFirst.size() != std::size_t(width) * height * 3) {
        error = "no picture to write";
        return false;
    }
    return writeFileWith(
        path,
        [&](std::FILE* file, std::string& why) {
            return encodePng(file, width, height, rgbTopFirst, why);
        },
        error);
}
