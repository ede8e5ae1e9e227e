// The whole world build of start-up: determinism, a golden world, the
// player's start, the map, and shafts that only reach open space.
#include "tests/world/world_fixture.h"

#include "app/world_build.h"
#include "assets/units.h"
#include "platform/pause.h"
#include "platform/test_seam.h"
#include "world/block_codes.h"
#include "world/view_cell.h"
#include "world/world_passes.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {
// Runs each test in a fresh empty folder, so no map file is found unless the
// test writes one.
class WorldBuildTest : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        allocateUnitRecords();
        useVirtualClock(true);
    }
    void TearDown() override
    {
        releaseUnitRecords();
        WorldTest::TearDown();
    }
    TemporaryWorkingFolder folder;
};

std::vector<std::uint8_t> gridCopy()
{
    return std::vector<std::uint8_t>(worldGrid.get(), worldGrid.get() + worldCellCount);
}
}

TEST_F(WorldBuildTest, SameSeedSameWorldOtherSeedOtherWorld)
{
    buildWorld(7);
    const std::vector<std::uint8_t> first = gridCopy();
    allocateWorldGrid();
    buildWorld(7);
    EXPECT_TRUE(gridCopy() == first);
    allocateWorldGrid();
    buildWorld(8);
    EXPECT_FALSE(gridCopy() == first);
}

TEST_F(WorldBuildTest, GoldenWorldWithoutAMap)
{
    // Recorded from a run checked against an independent model of the rules.
    buildWorld(1);
    EXPECT_EQ(layersHash(140, 148), 0xb0f3e0bfa4838c4dull);
    EXPECT_EQ(layersHash(1, 138), 0x8756f3052f4ea007ull);
    EXPECT_EQ(countCode(0, Air), layerStride);
    EXPECT_EQ(countCode(139, Air), layerStride);
}

TEST_F(WorldBuildTest, PlayerStartsAtCell64_64OnLayer12)
{
    SX = 5;
    SY = 6;
    SZ = 0;
    buildWorld(3);
    EXPECT_EQ(playerUnit().cellX, 64);
    EXPECT_EQ(playerUnit().cellY, 64);
    EXPECT_EQ(playerUnit().cellZ, 12);
    EXPECT_EQ(SZ, 12);
    EXPECT_EQ(SX, 5);
    EXPECT_EQ(SY, 6);
}

TEST_F(WorldBuildTest, TheMapRaisesTheSurface)
{
    fs::create_directory("map");
    std::vector<std::uint8_t> map(layerStride, Forest);
    map[0] = Plain;
    map[257] = Mountain;
    std::FILE* file = std::fopen("map/1.overworld", "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(map.data(), 1, map.size(), file);
    std::fclose(file);

    const std::int64_t pausedBefore = pausedMilliseconds();
    buildWorld(2);
    EXPECT_EQ(pausedMilliseconds() - pausedBefore, 1000);
    EXPECT_EQ(gridCell(0, 0, 0), Plain);
    EXPECT_EQ(gridCell(0, 0, 4), Dirt);
    EXPECT_EQ(gridCell(1, 1, 2), Brick);
    EXPECT_EQ(gridCell(200, 200, 3), Grass);
}

// The clock seeds the world after the map's 1000 ms pause, in real time:
// started as a second begins, the seed is a later second than the start.
TEST_F(WorldBuildTest, TheClockIsReadAfterTheMapsPauseAndItsSeedRebuildsTheWorld)
{
    fs::create_directory("map");
    const std::vector<std::uint8_t> map(layerStride, Forest);
    std::FILE* file = std::fopen("map/1.overworld", "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(map.data(), 1, map.size(), file);
    std::fclose(file);

    useVirtualClock(false);
    const std::time_t before = std::time(nullptr);
    std::time_t start;
    while ((start = std::time(nullptr)) == before) {
    }
    const std::uint32_t seed = buildWorld(std::nullopt);
    useVirtualClock(true);
    EXPECT_GE(seed, std::uint32_t(start + 1));
    EXPECT_LE(seed, std::uint32_t(std::time(nullptr)));

    const std::vector<std::uint8_t> built = gridCopy();
    allocateWorldGrid();
    EXPECT_EQ(buildWorld(seed), seed);
    EXPECT_TRUE(gridCopy() == built) << "the seed returned is the one the world was built with";
}

TEST_F(WorldBuildTest, ShaftsAndStairsAreTheOnlyOpeningsBetweenLevelsOneAndTwo)
{
    // Layer 5 is rock between level 1 (layers 3, 4) and level 2 (6, 7):
    // only level 1's stairs down and the shafts open it.
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        allocateWorldGrid();
        buildWorld(seed);
        int shafts = 0;
        for (int y = 0; y < worldSide; ++y)
            for (int x = 0; x < worldSide; ++x) {
                if (gridCell(x, y, 5) != Air)
                    continue;
                const bool underStairs = x >= 4 && x <= 69 && y >= 4 && y <= 69 &&
                                         gridCell(x / 2 + 110, y / 2 + 110, 140) == StairsDown;
                if (underStairs)
                    continue;
                ++shafts;
                EXPECT_EQ(gridCell(x, y, 12), Air) << "seed " << seed << " " << x << "," << y;
                for (int z = 1; z <= 11; ++z)
                    EXPECT_EQ(gridCell(x, y, z), Air) << x << "," << y << "," << z;
            }
        EXPECT_EQ(shafts % 2, 0);
    }
}
