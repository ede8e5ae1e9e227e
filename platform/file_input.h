// Opening the files the program and the tool read.
#pragma once

#include <compare>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

// Opens `path` read-only for reading with stdio, or returns null: when it
// cannot be opened, and when what opened is not a regular file (a folder, a
// FIFO, a device, a terminal). The open never blocks, never creates the file
// and never waits for a writer; the test is made on the opened file, so no
// rename between a look and the open can slip another file in. Reads never
// wait either: a file that would make them wait (one of the kernel's, such
// as /proc/kmsg) fails to read instead.
// On failure `why` says what was wrong, or stays empty when nothing has that
// name: a missing file is no error to report.
std::FILE* openRegularFile(const std::string& path, std::string& why);

// Which file a name reaches, links followed: the device and file number on
// Linux, the volume and file index on Windows. Two names are one file when
// the system says so, however they are spelled (in another letter case on
// Windows, through a bind mount on Linux). None when nothing has the name.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    auto operator<=>(const FileIdentity&) const = default;
};
std::optional<FileIdentity> fileIdentity(const std::string& path);
