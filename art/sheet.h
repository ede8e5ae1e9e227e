// A labelled contact sheet of every catalogue image, composed in the
// program's framebuffer and lettered with its own small font.
#pragma once

#include <string>

// Writes the sheet as a PNG: each of the catalogue's loads in load order,
// its picture (fitted to 32 x 32) beside its name, id, folder and size.
// False with a reason in error on failure.
bool writeContactSheet(const std::string& path, std::string& error);
