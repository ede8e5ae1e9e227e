// A small reader of the .vox files the tool writes, independent of its
// writer: every chunk walked and its sizes checked against its content.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct ReadVoxel {
    int x, y, z, colour;
};

struct ReadVox {
    int sizeX = 0, sizeY = 0, sizeZ = 0;
    std::vector<ReadVoxel> voxels;
    std::array<std::array<int, 4>, 256> palette{}; // RGBA, entry i - 1 for index i
    std::vector<std::string> chunks;                // child chunk ids in file order
};

inline std::uint32_t readInt(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
           std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 3]) << 24;
}

inline void readChild(const std::vector<std::uint8_t>& bytes, std::size_t at,
                      const std::string& id, std::size_t contentSize, ReadVox& vox)
{
    const std::size_t content = at + 12;
    if (id == "SIZE") {
        ASSERT_EQ(contentSize, 12u);
        vox.sizeX = int(readInt(bytes, content));
        vox.sizeY = int(readInt(bytes, content + 4));
        vox.sizeZ = int(readInt(bytes, content + 8));
    } else if (id == "XYZI") {
        const std::size_t count = readInt(bytes, content);
        ASSERT_EQ(contentSize, 4 + 4 * count) << "XYZI size against its voxel count";
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* v = &bytes[content + 4 + 4 * i];
            vox.voxels.push_back({v[0], v[1], v[2], v[3]});
        }
    } else if (id == "RGBA") {
        ASSERT_EQ(contentSize, 1024u);
        for (int i = 0; i < 256; ++i)
            for (int c = 0; c < 4; ++c)
                vox.palette[i][c] = bytes[content + 4 * i + c];
    }
}

// Parses a whole file: "VOX " 150, MAIN with no content whose children fill
// the rest of the file exactly, each child without children of its own.
inline ReadVox readVox(const std::vector<std::uint8_t>& bytes)
{
    ReadVox vox;
    EXPECT_GE(bytes.size(), 20u);
    if (bytes.size() < 20)
        return vox;
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "VOX ");
    EXPECT_EQ(readInt(bytes, 4), 150u);
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), "MAIN");
    EXPECT_EQ(readInt(bytes, 12), 0u) << "MAIN has content";
    EXPECT_EQ(readInt(bytes, 16), bytes.size() - 20) << "MAIN's children size";
    for (std::size_t at = 20; at < bytes.size();) {
        if (at + 12 > bytes.size()) {
            ADD_FAILURE() << "a chunk header runs past the end";
            break;
        }
        const std::string id(bytes.begin() + at, bytes.begin() + at + 4);
        const std::size_t contentSize = readInt(bytes, at + 4);
        EXPECT_EQ(readInt(bytes, at + 8), 0u) << id << " has children";
        if (at + 12 + contentSize > bytes.size()) {
            ADD_FAILURE() << id << " runs past the end";
            break;
        }
        vox.chunks.push_back(id);
        readChild(bytes, at, id, contentSize, vox);
        at += 12 + contentSize;
    }
    return vox;
}
