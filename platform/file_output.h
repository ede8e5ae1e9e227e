// Writing whole files. Every file the program and the tool write goes through
// here, so each one is opened, written, checked and closed the same way.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>

// Writes the file at `path` through `write`, which gets the open stream and
// returns false (with a reason in its string) when its own output failed.
// False, with the reason in `error`, when the file cannot be opened, written
// or closed.
using StreamWriter = std::function<bool(std::FILE* file, std::string& error)>;
bool writeFileWith(const std::string& path, const StreamWriter& write, std::string& error);

// Writes `bytes` as the whole file.
bool writeFileBytes(const std::string& path, std::span<const std::uint8_t> bytes,
                    std::string& error);
