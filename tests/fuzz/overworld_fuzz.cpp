// Fuzz target: the overworld map reader over a map file of any bytes and any
// length. Layer 0 must take exactly the file's first layer of bytes, keep
// zeros after a short file, and no other layer may change.
#include "platform/pause.h"
#include "platform/test_seam.h"
#include "world/grid.h"
#include "world/overworld.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Inputs reach two layers' worth, well past the one layer that is read.
constexpr int longestInput = 2 * layerStride + 4096;
constexpr std::uint8_t otherLayersFill = 0x5a; // so that a written zero shows too
constexpr std::int64_t mapPauseMs = 1000;

fs::path scratch;

void removeScratch()
{
    std::error_code ignored;
    fs::remove_all(scratch, ignored);
}

// A folder of our own with a map/ folder in it, in memory when /dev/shm is
// there: the target writes one file per input.
void makeScratch()
{
    std::error_code error;
    const fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm")
                                                              : fs::temp_directory_path();
    std::string pattern = (base / "undercroft-overworld-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    scratch = pattern;
    fs::create_directory(scratch / "map");
    std::atexit(removeScratch);
}

// The grid once, its layers below 0 filled with a sentinel; layer 0 zeroed
// before every input, as start-up's allocation leaves it.
void prepareGrid()
{
    if (!worldGrid) {
        allocateWorldGrid();
        std::memset(&worldGrid[layerStride], otherLayersFill, worldCellCount - layerStride);
    }
    std::memset(&worldGrid[0], 0, layerStride);
}

void writeMapFile(const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen((scratch / "map" / "1.overworld").c_str(), "wb");
    if (!file)
        std::abort();
    // An empty input may come without a buffer, which fwrite must not see.
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written)
        std::abort();
}

// Reads map 1 with the scratch folder as the working directory, then returns
// to the directory the fuzzer runs in.
void readMapInScratch()
{
    const fs::path start = fs::current_path();
    fs::current_path(scratch);
    readOverworldMap(1);
    fs::current_path(start);
}

bool layerZeroHolds(const std::uint8_t* data, std::size_t size)
{
    const std::size_t copied = size < std::size_t(layerStride) ? size : layerStride;
    if (copied > 0 && std::memcmp(&worldGrid[0], data, copied) != 0)
        return false;
    for (std::size_t i = copied; i < std::size_t(layerStride); ++i)
        if (worldGrid[i] != 0)
            return false;
    return true;
}

bool otherLayersUntouched()
{
    static const std::vector<std::uint8_t> filled(layerStride, otherLayersFill);
    for (int layer = 1; layer < layerCount; ++layer)
        if (std::memcmp(&worldGrid[std::size_t(layer) * layerStride], filled.data(), layerStride))
            return false;
    return true;
}

} // namespace

// libFuzzer caps inputs at 4096 bytes unless told otherwise; the reader's
// interesting lengths lie around 65,536, so ask for more when no -max_len
// was given.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    for (int i = 1; i < *argc; ++i)
        if (std::strncmp((*argv)[i], "-max_len=", 9) == 0)
            return 0;
    static std::string maxLen = "-max_len=" + std::to_string(longestInput);
    static std::vector<char*> args(*argv, *argv + *argc);
    args.insert(args.begin() + 1, maxLen.data());
    args.push_back(nullptr);
    *argc += 1;
    *argv = args.data();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (scratch.empty()) {
        makeScratch();
        useVirtualClock(true);
    }
    prepareGrid();
    writeMapFile(data, size);
    const std::int64_t pausedBefore = pausedMilliseconds();
    readMapInScratch();
    // The file is there and readable, so the reader pauses exactly once.
    if (pausedMilliseconds() - pausedBefore != mapPauseMs)
        std::abort();
    if (!layerZeroHolds(data, size) || !otherLayersUntouched())
        std::abort();
    return 0;
}
