// Writing whole files and lines of output. Every file the program and the tool
// write goes through here: it is written beside its destination under a
// temporary name and takes the destination's name only once it is complete
// and on the disk, so a failed write (a full disk, a closed pipe) leaves the
// old file as it was; the new file keeps the old one's permissions, and a
// file the user may not write (or that is write-protected) is refused. A
// symbolic link at the destination is replaced, never followed. "-" and the
// names of standard output (/dev/stdout, /dev/fd/N, /proc/self/fd/N) are
// written straight into their descriptor (refused when the program was
// started with standard output closed), a device or a pipe straight into it
// (NUL on Windows); nothing is created or renamed in /dev, /proc or /sys, but
// for a file system for files mounted there apart (/dev/shm).
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>

// Writes the file at `path` through `write`, which gets the open stream and
// returns false (with a reason in its string) when its own output failed.
// False, with the reason in `error`, when the file cannot be made, written,
// flushed or put in place; then nothing at `path` has changed.
using StreamWriter = std::function<bool(std::FILE* file, std::string& error)>;
bool writeFileWith(const std::string& path, const StreamWriter& write, std::string& error);

// Writes `bytes` as the whole file.
bool writeFileBytes(const std::string& path, std::span<const std::uint8_t> bytes,
                    std::string& error);

// Creates `path` as a new empty file, never replacing one: Created, Exists
// when something has the name already, else Failed with the reason in `error`.
enum class NewFile { Created, Exists, Failed };
NewFile createNewFile(const std::string& path, std::string& error);

// Whether a file could be written at `path` now: its folder exists and takes
// a new file. Leaves nothing behind, and opens no pipe (its reader would take
// that for the end); false with the reason in `error`.
bool canWriteFile(const std::string& path, std::string& error);

// A write to a closed pipe, or past the file-size limit, fails with an error
// the writer sees and reports instead of ending the process.
void ignoreOutputSignals();

// Removes the temporary file of a write that has not finished, if one is
// being written. Safe in a signal handler: a process ended in the middle of
// a write leaves no hidden temporary file behind.
void removeUnfinishedOutput();

// Ctrl+C, SIGTERM and SIGHUP (Ctrl+C and Ctrl+Break on Windows) still end
// the process as they would, but first remove the temporary file of a write
// that has not finished; one the process was started ignoring stays ignored.
// For programs that set no quit signals of their own.
void removeUnfinishedOutputOnSignals();

// Writes `line` and a newline to standard output and flushes it; false with
// the reason in `error` when the output failed.
bool printLine(const std::string& line, std::string& error);

// Whether standard error is a terminal someone watches (not a file or pipe).
bool standardErrorIsTerminal();

// The longest start of `text` that takes at most `bytes` bytes and ends on a
// whole UTF-8 character: a temporary name made from a long file name stays
// within the longest name a folder takes.
std::string cutToFit(const std::string& text, std::size_t bytes);

// printLine, saying on stderr "PROGRAM: cannot write to standard output:
// reason" (programName) when the output failed (a closed pipe, a full disk).
void printLineOrSay(const std::string& line);
