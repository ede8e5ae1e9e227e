// The start-up loading driver: what it allocates, what it loads, and that it
// touches no file of the folders it reads.
#include "assets/load_assets.h"

#include "app/game.h"
#include "assets/image_table.h"
#include "assets/units.h"
#include "bmp_files.h"
#include "platform/video.h"
#include "world/generator.h"
#include "world/grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>

namespace fs = std::filesystem;

namespace {

const char* const imageFolders[] = {"bmp_cross", "bmp_unit",      "bmp_land", "bmp_dungeon",
                                    "bmp_structure", "bmp_item", "bmp_scr",  "bmp_cube"};

// Every path under root with its size (-1 for folders) and modification time.
std::map<std::string, std::pair<std::intmax_t, fs::file_time_type>> folderState(
    const fs::path& root)
{
    std::map<std::string, std::pair<std::intmax_t, fs::file_time_type>> state;
    for (const auto& item : fs::recursive_directory_iterator(root)) {
        const std::intmax_t size = item.is_directory() ? -1 : std::intmax_t(item.file_size());
        state[item.path().string()] = {size, item.last_write_time()};
    }
    return state;
}

bool entryEmpty(const ImageRecord& entry)
{
    return !entry.pixels && entry.width == 0 && entry.height == 0 && entry.bytesPerPixel == 0;
}

} // namespace

class LoadAssets : public testing::Test {
protected:
    void SetUp() override
    {
        previous = fs::current_path();
        fs::current_path(folder.path);
        setVideoMode(320, 240);
    }
    void TearDown() override
    {
        fs::current_path(previous);
        releaseVideoBuffers();
        releaseWorldGrid();
        releaseImageTable();
        releaseUnitRecords();
        releaseGeneratorStorage();
    }

    TempFolder folder;
    fs::path previous;
};

TEST_F(LoadAssets, EmptyFolderCompletesWithEveryEntryEmptyAndCreatesNothing)
{
    framebuffer[7] = 255;
    EXPECT_EQ(loadAssets(), 1);
    EXPECT_TRUE(fs::is_empty(folder.path));
    EXPECT_EQ(screenWidth, 320); // the mode set again at its size, buffers fresh
    EXPECT_EQ(framebuffer[7], 0);
    ASSERT_NE(imageTable, nullptr);
    EXPECT_TRUE(std::all_of(&imageTable[0], &imageTable[imageCount], entryEmpty));
    ASSERT_NE(worldGrid, nullptr);
    EXPECT_TRUE(std::all_of(&worldGrid[0], &worldGrid[worldCellCount],
                            [](std::uint8_t cell) { return cell == 0; }));
    ASSERT_NE(roomRecords, nullptr);
    EXPECT_EQ(roomRecords[0].index, 0);
    EXPECT_EQ(roomRecords[roomCapacity - 1].x, 0);
}

TEST_F(LoadAssets, ARefusedPictureIsNamedOnceWithItsReasonAndAMissingOneNotAtAll)
{
    for (const char* name : imageFolders)
        fs::create_directory(name);
    // Loaded by two catalogue entries; a 32-bit picture is no picture here.
    const std::vector<std::uint8_t> deep = makeBmp(4, 4, 54, 32);
    std::ofstream("bmp_land/forest_leaf.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(deep.data()), std::streamsize(deep.size()));
    fs::create_directory("bmp_cube/grass3.bmp"); // a folder where a picture belongs
    testing::internal::CaptureStderr();
    loadAssets();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;
    EXPECT_NE(said.find("cannot use bmp_land/forest_leaf.bmp: 32 bits per pixel, not 24\n"),
              std::string::npos)
        << said;
    EXPECT_NE(said.find("cannot use bmp_cube/grass3.bmp: "), std::string::npos) << said;
}

TEST_F(LoadAssets, UnitRecordsAreZeroButThePlayerUnitsOffsets)
{
    loadAssets();
    ASSERT_NE(unitRecords, nullptr);
    for (int i = 0; i < unitCount; ++i) {
        const UnitRecord& unit = unitRecords[i];
        const float sub = i == playerUnitIndex ? 0.5f : 0.0f;
        ASSERT_TRUE(unit.cellX == 0 && unit.cellY == 0 && unit.cellZ == 0 && unit.stepCount == 0)
            << i;
        ASSERT_TRUE(unit.subX == sub && unit.subY == sub && unit.subZ == sub) << i;
    }
    EXPECT_EQ(&playerUnit(), &unitRecords[1]);
}

// Root does not feel the permissions, so the check is that nothing under the
// folders changes or appears, with a file of the catalogue missing.
TEST_F(LoadAssets, ReadOnlyFoldersLoadAndStayUntouched)
{
    for (const char* name : imageFolders)
        fs::create_directory(name);
    writeFile("bmp_unit/unit_mage.bmp", makeBmp(16, 16));
    writeFile("bmp_cube/DSC3.bmp", makeBmp(6, 3));
    std::vector<std::uint8_t> cut = makeBmp(16, 16);
    cut.resize(100);
    writeFile("bmp_land/forest.bmp", cut);
    writeFile("bmp_item/blank.bmp", {'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'});
    for (const auto& item : fs::recursive_directory_iterator("."))
        fs::permissions(item.path(), item.is_directory() ? fs::perms(0555) : fs::perms(0444));
    const auto before = folderState(".");

    EXPECT_EQ(loadAssets(), 1);
    EXPECT_EQ(folderState("."), before);
    EXPECT_FALSE(fs::exists("bmp_unit/unit_dog.bmp"));

    for (int id : {849, 981}) {
        EXPECT_EQ(imageTable[id].width, 16) << id;
        EXPECT_EQ(imageTable[id].height, 16) << id;
    }
    EXPECT_NE(imageTable[849].pixels, imageTable[981].pixels); // each load its own block
    EXPECT_TRUE(std::equal(&imageTable[849].pixels[0], &imageTable[849].pixels[768],
                           &imageTable[981].pixels[0]));
    EXPECT_EQ(imageTable[1206].width, 6);
    EXPECT_EQ(imageTable[1206].height, 3);
    EXPECT_TRUE(entryEmpty(imageTable[11])); // forest: short pixel data
    EXPECT_TRUE(entryEmpty(imageTable[0]));  // blank: not a BMP
    EXPECT_TRUE(entryEmpty(imageTable[803])); // unit_dog: missing
}

TEST_F(LoadAssets, ShutdownReleasesEverythingStartUpAllocated)
{
    runStartup();
    EXPECT_NE(imageTable, nullptr);
    runShutdown();
    EXPECT_EQ(framebuffer, nullptr);
    EXPECT_EQ(readBackBuffer, nullptr);
    EXPECT_EQ(worldGrid, nullptr);
    EXPECT_EQ(imageTable, nullptr);
    EXPECT_EQ(unitRecords, nullptr);
    EXPECT_EQ(roomRecords, nullptr);
    EXPECT_EQ(levelFirstRoom, nullptr);
    EXPECT_EQ(levelEndRoom, nullptr);
}
