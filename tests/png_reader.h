// The tests' one PNG reader (libpng), whatever encoder wrote the file: the
// GoogleTest programs call it in process, and tests/png_tool.cpp makes it a
// command for the shell tests, the Wine tests and the browser tests.
#pragma once

#include <png.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A decoded picture: 8-bit RGB bytes, top row first. Zero sizes when the
// file is missing, no PNG or cut short.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// The largest picture read: far beyond any the programs write, and small
// enough that width x height x 3 cannot wrap (libpng's own size macro
// computes it in 32 bits).
inline constexpr std::size_t largestPictureBytes = std::size_t(1) << 30;

// The whole picture, converted to 8-bit RGB; on failure an empty Picture,
// and libpng's reason in `why` when given.
inline Picture readPng(const std::filesystem::path& path, std::string* why = nullptr)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    const auto failed = [&](const std::string& reason) {
        if (why)
            *why = reason;
        png_image_free(&image);
        return Picture{};
    };
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return failed(image.message);
    image.format = PNG_FORMAT_RGB;
    const std::size_t bytes = std::size_t(image.width) * image.height * 3;
    if (bytes > largestPictureBytes)
        return failed(std::to_string(image.width) + " x " + std::to_string(image.height) +
                      " pixels: too large a picture");
    Picture picture{int(image.width), int(image.height), std::vector<std::uint8_t>(bytes)};
    if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr))
        return failed(image.message);
    return picture;
}
