// Shared set-up for the world tests: a zeroed grid and generator storage per
// test, and small readers over the grid.
#pragma once

#include "tests/temp_folder.h"
#include "world/generator.h"
#include "world/grid.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

class WorldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        allocateWorldGrid();
        allocateGeneratorStorage();
    }
    void TearDown() override
    {
        releaseGeneratorStorage();
        releaseWorldGrid();
    }
};

inline void fillLayer(int layer, std::uint8_t code)
{
    std::memset(&gridCell(0, 0, layer), code, layerStride);
}

// Cells of the layer holding `code`.
inline int countCode(int layer, std::uint8_t code)
{
    int count = 0;
    for (int i = 0; i < layerStride; ++i)
        count += worldGrid[std::size_t(layer) * layerStride + i] == code;
    return count;
}

// FNV-1a over the layers first..last: a fingerprint for golden values.
inline std::uint64_t layersHash(int first, int last)
{
    std::uint64_t hash = 0xcbf29ce484222325u;
    const std::size_t begin = std::size_t(first) * layerStride;
    const std::size_t end = std::size_t(last + 1) * layerStride;
    for (std::size_t i = begin; i < end; ++i)
        hash = (hash ^ worldGrid[i]) * 0x100000001b3u;
    return hash;
}
