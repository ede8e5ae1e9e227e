// Where the program reads its images and map: the folder it was started in,
// or the data folder installed beside its executable.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Whether `folder` holds every image folder the catalogue loads from.
bool holdsImageFolders(const std::filesystem::path& folder);

// The image folders the catalogue loads from that `folder` lacks, by name.
std::vector<std::string> missingImageFolders(const std::filesystem::path& folder);

// The folder to read from: `current` when it holds the image folders, else
// the first of the `installed` folders that does, else none.
std::optional<std::filesystem::path> pickDataFolder(
    const std::filesystem::path& current, const std::vector<std::filesystem::path>& installed);

// What is missing, for a line on stderr: "no image folders in CURRENT,
// INSTALLED... or ..." when `current` holds none of them, else "no FOLDERS in
// CURRENT (and no complete set in INSTALLED...)"; the installed folders are
// named only where they were looked in.
std::string missingImagesText(const std::filesystem::path& current,
                              const std::vector<std::filesystem::path>& installed);

// Start-up's first step. Stays in the current directory when it holds the
// image folders; else changes into the first `installed` folder that does,
// saying so in one line on stdout; else stays and says in one line on stderr
// which image folders it goes on without, and where it looked.
void useDataFolder(const std::vector<std::filesystem::path>& installed);
