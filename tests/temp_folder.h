// Temporary folders for tests that read and write real files.
#pragma once

#include <filesystem>
#include <random>
#include <string>

// A fresh empty folder under the system's temporary folder, removed with all
// it holds when the object goes (write permission restored first, so tests
// may make parts of it read-only). `path` is empty when none could be made.
struct TempFolder {
    std::filesystem::path path;

    TempFolder()
    {
        std::random_device random;
        std::error_code error;
        const std::filesystem::path base = std::filesystem::temp_directory_path(error);
        for (int attempt = 0; attempt < 100 && !error && path.empty(); ++attempt) {
            const std::filesystem::path candidate =
                base / ("undercroft-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate, error))
                path = std::filesystem::canonical(candidate, error);
        }
    }
    ~TempFolder()
    {
        namespace fs = std::filesystem;
        if (path.empty())
            return;
        std::error_code error;
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, error);
        for (const auto& item : fs::recursive_directory_iterator(path, error))
            fs::permissions(item.path(), fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(path, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
};

// A TempFolder that is the working directory while the object lives.
struct TemporaryWorkingFolder {
    std::filesystem::path start = std::filesystem::current_path();
    TempFolder folder;
    const std::filesystem::path& path = folder.path;

    TemporaryWorkingFolder() { std::filesystem::current_path(path); }
    ~TemporaryWorkingFolder() { std::filesystem::current_path(start); }
    TemporaryWorkingFolder(const TemporaryWorkingFolder&) = delete;
    TemporaryWorkingFolder& operator=(const TemporaryWorkingFolder&) = delete;
};
