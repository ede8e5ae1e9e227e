// Where an installed program keeps the data it reads.
#pragma once

#include <filesystem>

// The installed data folder beside the running executable: on Linux
// <executable's folder>/../share/undercroft, on Windows the executable's own
// folder (the unpacked zip holds both). Empty when the executable's path
// cannot be read.
std::filesystem::path installedDataFolder();
