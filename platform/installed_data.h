// Where the data the programs read lies when they are not started in it.
#pragma once

#include <filesystem>
#include <vector>

// The folders beside the running executable that may hold its data, first
// choice first: on Linux <executable's folder>/../share/undercroft (an
// installed program) and <executable's folder>/run (the build tree's
// runtime folder, for a program started from its build folder); on Windows
// the executable's own folder (the unpacked zip holds both). Empty when the
// executable's path cannot be read.
std::vector<std::filesystem::path> installedDataFolders();
