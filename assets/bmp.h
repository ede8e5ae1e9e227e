// The BMP reader: uncompressed 24-bit BMP files into image table entries.
#pragma once

#include "assets/image_table.h"

#include <cstdint>
#include <cstdio>
#include <string>

// Largest width or height accepted; anything larger is rejected unread.
inline constexpr int bmpMaxSide = 16384;

// Reads an uncompressed 24-bit BMP from an open stream into entry: RGB
// pixels, row 0 the picture's bottom row. A header it does not accept leaves
// entry unchanged; a file that fails after its header was accepted, or whose
// pixels would take more than maxBlockBytes, leaves entry empty. The caller
// keeps and closes the stream.
bool readBmp(std::FILE* file, ImageRecord& entry,
             std::int64_t maxBlockBytes = imageTableBudgetBytes);

// readBmp, saying in `why` what was wrong when it returns false.
bool readBmp(std::FILE* file, ImageRecord& entry, std::int64_t maxBlockBytes, std::string& why);

// Opens path read-only (never creating it) and reads it into imageTable[id];
// false for an id outside the table or any failure of the read. A picture
// that would take the table past imageTableBudgetBytes (the pictures of the
// other entries counted, not the one it replaces) leaves the entry empty. The
// file is always closed.
bool loadBmp(const std::string& path, int id);

// loadBmp, saying in `why` what was wrong when it returns false; `why` stays
// empty when no file has the name (a missing picture is no error).
bool loadBmp(const std::string& path, int id, std::string& why);
