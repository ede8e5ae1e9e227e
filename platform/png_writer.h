// Writes pictures as PNG files: frames (snapshots, screenshots) and the
// tool's previews, contact sheet and icon.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes width x height RGB pixels, top row first. False (with a reason in
// error) when the file cannot be written.
bool writePngRgb(const std::string& path, int width, int height,
                 const std::vector<std::uint8_t>& rgbTopFirst, std::string& error);
