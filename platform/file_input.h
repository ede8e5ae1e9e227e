// Opening the files the program and the tool read.
#pragma once

#include <cstdio>
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
