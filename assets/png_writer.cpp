// PNG output through libpng.
#include "assets/png_writer.h"

#include "platform/video.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// libpng reports here instead of printing on stderr: the message becomes the
// caller's error text and the write is abandoned.
[[noreturn]] void abandonWrite(png_structp png, png_const_charp message)
{
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}
}

bool writePngRgb(const std::string& path, int width, int height,
                 const std::vector<std::uint8_t>& rgbTopFirst, std::string& error)
{
    if (width <= 0 || height <= 0 || rgbTopFirst.size() != std::size_t(width) * height * 3) {
        error = "no picture to write";
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
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
        if (std::ferror(file.get()))
            error = std::strerror(errno);
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int row = 0; row < height; ++row)
        png_write_row(png, rgbTopFirst.data() + std::size_t(row) * width * 3);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.get()) != 0) {
        error = std::strerror(errno);
        return false;
    }
    return true;
}

std::vector<std::uint8_t> framebufferRgbTopFirst()
{
    std::vector<std::uint8_t> rgb(std::size_t(screenWidth) * screenHeight * 3);
    if (!framebuffer)
        return rgb;
    for (int y = 0; y < screenHeight; ++y) {
        const std::uint8_t* source = framebuffer.get() + std::size_t(y) * screenWidth * 4;
        std::uint8_t* target = rgb.data() + std::size_t(screenHeight - 1 - y) * screenWidth * 3;
        for (int x = 0; x < screenWidth; ++x) {
            target[x * 3 + 0] = source[x * 4 + 0];
            target[x * 3 + 1] = source[x * 4 + 1];
            target[x * 3 + 2] = source[x * 4 + 2];
        }
    }
    return rgb;
}
