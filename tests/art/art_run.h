// Runs `undercroft-tool assets` the way the build does and reads back what it
// wrote, for the art tests.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// The tool beside the test programs' folder in the build tree.
inline std::filesystem::path toolPath()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "undercroft-tool";
}

// A fresh empty folder under the system's temporary folder.
inline std::filesystem::path freshFolder(const std::string& name)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("undercroft_art_" + std::to_string(::getpid()) + "_" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

// Runs the tool with `arguments` (words without spaces); its exit status, or
// -1 when it did not exit normally.
inline int runTool(const std::string& arguments)
{
    const std::string command = toolPath().string() + " " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline std::vector<std::uint8_t> readBytes(const std::filesystem::path& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::vector<std::uint8_t> bytes;
    if (!file)
        return bytes;
    std::uint8_t buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(file);
    return bytes;
}
