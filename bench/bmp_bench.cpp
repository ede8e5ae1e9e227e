// The BMP reader on the hostile file the image table's budget turns away: 4 KB
// on disk, a header claiming 16384 x 16384 (805 MB of pixels). Refused from
// its header, it costs an open, a read and a close; a picture of the same
// claim read row by row would take seconds. Beside it, a real 256 x 256
// picture for scale.
#include "assets/bmp.h"
#include "assets/image_table.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {
namespace fs = std::filesystem;

// A 24-bit BMP header claiming width x height, the file then sized to hold
// every pixel it claims: a hole, zeros that take no disk.
fs::path writeBmpFile(const std::string& name, int width, int height)
{
    const int stride = (width * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> header(54, 0);
    auto put = [&](int at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            header[std::size_t(at + i)] = std::uint8_t(value >> (8 * i));
    };
    header[0] = 'B';
    header[1] = 'M';
    put(2, std::uint32_t(54 + std::int64_t(stride) * height));
    put(10, 54);
    put(14, 40);
    put(18, std::uint32_t(width));
    put(22, std::uint32_t(height));
    header[26] = 1;
    header[28] = 24;
    const fs::path path =
        fs::temp_directory_path() / ("undercroft_bench_" + std::to_string(::getpid()) + "_" + name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(header.data()), std::streamsize(header.size()));
    fs::resize_file(path, 54 + std::uintmax_t(stride) * std::uintmax_t(height));
    return path;
}

void loadRepeatedly(benchmark::State& state, int side, bool wantLoaded)
{
    allocateImageTable();
    const fs::path path = writeBmpFile(std::to_string(side) + ".bmp", side, side);
    for (auto _ : state) {
        if (loadBmp(path.string(), 5) != wantLoaded) {
            state.SkipWithError("the reader did not do what the bench expects");
            break;
        }
    }
    fs::remove(path);
    releaseImageTable();
}

void bmpSparseLargestClaim(benchmark::State& state)
{
    loadRepeatedly(state, bmpMaxSide, false);
}

void bmpPicture256(benchmark::State& state)
{
    loadRepeatedly(state, 256, true);
}
} // namespace

BENCHMARK(bmpSparseLargestClaim)->Unit(benchmark::kMicrosecond);
BENCHMARK(bmpPicture256)->Unit(benchmark::kMicrosecond);
