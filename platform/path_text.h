// Paths as the programs' strings hold them: UTF-8 on every system. A
// std::filesystem::path made from such a string, or turned back into one,
// goes through these: the plain narrow conversions use the system's code
// page on Windows, which most names outside the Latin script do not fit
// (they came out as "??????").
#pragma once

#include <filesystem>
#include <string>

std::filesystem::path pathFromText(const std::string& text);
std::string textOfPath(const std::filesystem::path& path);
