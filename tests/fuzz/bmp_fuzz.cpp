// Fuzz target: the BMP reader over arbitrary bytes, with the entry's
// invariants checked after every read.
#include "assets/bmp.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Aborts (a finding for the fuzzer) when the entry breaks the reader's
// promises: sizes in range, a block exactly when there are pixels, every
// byte of it readable.
void checkEntry(bool loaded, const ImageRecord& entry)
{
    const bool empty = !entry.pixels && entry.width == 0 && entry.height == 0;
    if (!loaded) {
        if (!empty) // the entry started empty, and a failure never fills it
            std::abort();
        return;
    }
    if (entry.width < 0 || entry.width > bmpMaxSide || entry.height < 0 ||
        entry.height > bmpMaxSide || entry.bytesPerPixel != 3)
        std::abort();
    const std::size_t size = std::size_t(entry.width) * std::size_t(entry.height) * 3;
    if ((size == 0) != !entry.pixels)
        std::abort();
    volatile std::uint8_t sum = 0;
    for (std::size_t i = 0; i < size; ++i)
        sum = sum + entry.pixels[i];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // fmemopen wants a writable buffer, and the fuzzer's input is read-only.
    std::vector<std::uint8_t> bytes(data, data + size);
    bytes.push_back(0); // a real buffer even for empty input; the stream ends at size
    std::FILE* stream = fmemopen(bytes.data(), size, "rb");
    if (!stream)
        return 0;
    ImageRecord entry;
    const bool loaded = readBmp(stream, entry);
    std::fclose(stream);
    checkEntry(loaded, entry);
    return 0;
}
