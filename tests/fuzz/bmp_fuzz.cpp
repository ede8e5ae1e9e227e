// Fuzz target: the BMP reader over arbitrary bytes, with the entry's
// invariants checked after every read, the result compared with a plain
// reference decoding, and the reader's allocations bounded by the input.
#include "assets/bmp.h"
#include "tests/bmp_reference.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

// The sanitizers' allocation hooks (every fuzz build runs under ASan).
extern "C" int __sanitizer_install_malloc_and_free_hooks(
    void (*mallocHook)(const volatile void*, std::size_t), void (*freeHook)(const volatile void*));

namespace {

// Allocations the reader may make beyond what the file could fill: stdio's
// stream buffer and the like, never a block sized from the header alone.
constexpr std::size_t smallAllocationBytes = 64 * 1024;

bool watchingAllocations = false;
std::size_t largestAllocation = 0;

void noteAllocation(const volatile void*, std::size_t size)
{
    if (watchingAllocations)
        largestAllocation = std::max(largestAllocation, size);
}

void ignoreFree(const volatile void*) {}

const bool hooksInstalled = __sanitizer_install_malloc_and_free_hooks(noteAllocation, ignoreFree);

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

// Reads bytes through a memory stream into entry; aborts when the reader
// allocates more than the input could fill.
bool readWatched(const std::vector<std::uint8_t>& bytes, ImageRecord& entry)
{
    // fmemopen wants a writable buffer, and one even for empty input.
    std::vector<std::uint8_t> buffer = bytes;
    buffer.push_back(0);
    std::FILE* stream = fmemopen(buffer.data(), bytes.size(), "rb");
    if (!stream)
        std::abort();
    largestAllocation = 0;
    watchingAllocations = true;
    const bool loaded = readBmp(stream, entry);
    watchingAllocations = false;
    std::fclose(stream);
    if (largestAllocation > std::max(bytes.size(), smallAllocationBytes))
        std::abort();
    return loaded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (!hooksInstalled)
        std::abort(); // the allocation bound would go unchecked
    const std::vector<std::uint8_t> bytes(data, data + size);

    ImageRecord emptyEntry;
    checkEntry(readWatched(bytes, emptyEntry), emptyEntry);

    ImageRecord entry = onePixelEntry();
    const std::uint8_t* before = entry.pixels.get();
    const bool loaded = readWatched(bytes, entry);
    const ReferenceBmp expected = referenceDecode(bytes, imageTableBudgetBytes, bmpMaxSide);
    if (!referenceMismatch(expected, loaded, entry, before).empty())
        std::abort();
    return 0;
}
