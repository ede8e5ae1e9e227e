// Reading the overworld map file: what reaches layer 0, when the program
// pauses, and that a missing or odd file is neither created nor fatal.
#include "tests/world/world_fixture.h"

#include "platform/pause.h"
#include "platform/test_seam.h"
#include "world/block_codes.h"
#include "world/overworld.h"

#include <cstdio>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {
constexpr std::uint8_t untouched = 0xEE;

class OverworldTest : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        useVirtualClock(true);
        fillLayer(0, untouched);
        fillLayer(1, untouched);
    }

    // Reads map `number` and returns the milliseconds it paused.
    std::int64_t readMap(int number)
    {
        const std::int64_t before = pausedMilliseconds();
        readOverworldMap(number);
        return pausedMilliseconds() - before;
    }

    TemporaryWorkingFolder folder;
};

void writeFile(const char* path, const std::vector<std::uint8_t>& bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    std::FILE* file = std::fopen(path, "wb");
    ASSERT_NE(file, nullptr);
    // An empty vector's data() may be null, which fwrite must not be given.
    if (!bytes.empty())
        std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// Byte i of the test maps: distinct from the untouched marker.
std::vector<std::uint8_t> mapBytes(std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = std::uint8_t(i % 199);
    return bytes;
}

// The process's open descriptors, where the system lists them (0 elsewhere).
int openDescriptors()
{
    std::error_code error;
    fs::directory_iterator listing("/proc/self/fd", error);
    return error ? 0 : int(std::distance(listing, fs::directory_iterator()));
}
}

TEST_F(OverworldTest, AWholeMapFillsLayerZeroRowByRowThenPauses)
{
    std::vector<std::uint8_t> bytes = mapBytes(layerStride);
    bytes[0] = 10;
    bytes[257] = 19;
    writeFile("map/1.overworld", bytes);
    const int descriptors = openDescriptors();
    EXPECT_EQ(readMap(1), 1000);
    EXPECT_EQ(openDescriptors(), descriptors); // the file was closed
    EXPECT_EQ(gridCell(0, 0, 0), 10);
    EXPECT_EQ(gridCell(1, 1, 0), 19);
    EXPECT_EQ(std::memcmp(&gridCell(0, 0, 0), bytes.data(), layerStride), 0);
    EXPECT_EQ(countCode(1, untouched), layerStride);
}

TEST_F(OverworldTest, AShortFileFillsWhatItHasAndALongOneOnlyLayerZero)
{
    writeFile("map/1.overworld", mapBytes(256 + 10));
    EXPECT_EQ(readMap(1), 1000);
    EXPECT_EQ(gridCell(255, 0, 0), 255 % 199);
    EXPECT_EQ(gridCell(9, 1, 0), (256 + 9) % 199);
    EXPECT_EQ(gridCell(10, 1, 0), untouched);
    EXPECT_EQ(countCode(0, untouched), layerStride - 266);

    writeFile("map/2.overworld", mapBytes(layerStride + 5000));
    EXPECT_EQ(readMap(2), 1000);
    EXPECT_EQ(gridCell(255, 255, 0), (layerStride - 1) % 199);
    EXPECT_EQ(countCode(1, untouched), layerStride);
}

TEST_F(OverworldTest, AnEmptyFileReadsNothingButStillPauses)
{
    writeFile("map/1.overworld", {});
    EXPECT_EQ(readMap(1), 1000);
    EXPECT_EQ(countCode(0, untouched), layerStride);
}

TEST_F(OverworldTest, AMissingFileOrFolderIsNotCreatedAndCostsNoPause)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(readMap(1), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), ""); // a missing map is no error
    EXPECT_FALSE(fs::exists("map"));

    fs::create_directory("map");
    const int descriptors = openDescriptors();
    EXPECT_EQ(readMap(1), 0);
    EXPECT_EQ(openDescriptors(), descriptors);
    EXPECT_TRUE(fs::is_empty("map"));
    EXPECT_EQ(countCode(0, untouched), layerStride);
}

TEST_F(OverworldTest, ADirectoryNamedLikeTheMapIsUnreadableAndSaidSoOnce)
{
    fs::create_directories("map/1.overworld");
    const int descriptors = openDescriptors();
    testing::internal::CaptureStderr();
    EXPECT_EQ(readMap(1), 0);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("cannot read map/1.overworld"), std::string::npos) << said;
    EXPECT_EQ(openDescriptors(), descriptors);
    EXPECT_TRUE(fs::is_directory("map/1.overworld"));
    EXPECT_TRUE(fs::is_empty("map/1.overworld"));
    EXPECT_EQ(countCode(0, untouched), layerStride);
}

TEST_F(OverworldTest, TheMapNumberNamesTheFile)
{
    writeFile("map/12.overworld", {Forest, Water});
    EXPECT_EQ(readMap(1), 0);
    EXPECT_EQ(readMap(12), 1000);
    EXPECT_EQ(gridCell(0, 0, 0), Forest);
    EXPECT_EQ(gridCell(1, 0, 0), Water);
    EXPECT_EQ(gridCell(2, 0, 0), untouched);
}
