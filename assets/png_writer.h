// Writes pictures as PNG files: the framebuffer (snapshots, screenshots) and
// the tool's contact sheets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes width x height RGB pixels, top row first. False (with a reason in
// error) when the file cannot be written.
bool writePngRgb(const std::string& path, int width, int height,
                 const std::vector<std::uint8_t>& rgbTopFirst, std::string& error);

// The framebuffer's RGB bytes, top row first (framebuffer rows run upward).
std::vector<std::uint8_t> framebufferRgbTopFirst();
