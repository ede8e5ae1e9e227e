// Helpers of the screenshot, data-folder and installation tests: a temporary
// folder that removes itself, PNG reading and small file reads.
#pragma once

#include "tests/png_reader.h"
#include "tests/temp_folder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// Whether the picture's pixel (x, y), y counted from the bottom as framebuffer
// rows are, exists and is exactly (r, g, b).
inline bool pixelIs(const Picture& shot, int x, int y, int r, int g, int b)
{
    if (x < 0 || y < 0 || x >= shot.width || y >= shot.height)
        return false;
    const std::size_t at = (std::size_t(shot.height - 1 - y) * shot.width + x) * 3;
    return shot.rgb[at] == r && shot.rgb[at + 1] == g && shot.rgb[at + 2] == b;
}

// The crosshair's arms reach this far from its centre.
inline constexpr int crosshairArm = 5;

// How many of the crosshair's 21 white pixels, centred on framebuffer pixel
// (mx, my), the shot shows; arms past the edges are not there to count.
inline int crosshairPixelsShown(const Picture& shot, int mx, int my)
{
    const auto white = [&](int x, int y) { return pixelIs(shot, x, y, 255, 255, 255); };
    int shown = 0;
    for (int arm = -crosshairArm; arm <= crosshairArm; ++arm)
        shown += white(mx + arm, my) + (arm != 0 && white(mx, my + arm));
    return shown;
}

inline std::string readText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

inline void writeText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// The regular files directly in `folder`, sorted; none when it is missing.
inline std::vector<std::filesystem::path> filesIn(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}
