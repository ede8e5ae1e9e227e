// The overworld map the tool writes as map/1.overworld: its codes, the kinds of land and sites
// it must hold, roads that join the towns, and dry land above the dungeon.
#include "art/overworld/overworld.h"
#include "world/block_codes.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

namespace {
constexpr int side = 256;

class OverworldMap : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        map = new std::vector<std::uint8_t>(generateOverworld());
    }
    static void TearDownTestSuite() { delete map; }
    void SetUp() override
    {
        ASSERT_EQ(map->size(), std::size_t(side * side));
    }
    static std::map<int, int> census()
    {
        std::map<int, int> counts;
        for (std::uint8_t code : *map)
            ++counts[code];
        return counts;
    }
    static inline std::vector<std::uint8_t>* map = nullptr;
};

bool isOverworldCode(int code)
{
    return (code >= Plain && code <= ForestC) || (code >= Village && code <= VillageRed) ||
           (code >= Ruin && code <= Well);
}

bool isTown(int code)
{
    return (code >= Village && code <= VillageRed) || code == Castle;
}

TEST_F(OverworldMap, UsesOnlyOverworldCodes)
{
    for (const auto& [code, count] : census())
        EXPECT_TRUE(isOverworldCode(code)) << "code " << code << " in " << count << " cells";
}

TEST_F(OverworldMap, HoldsEveryKindOfLandAndSite)
{
    const std::map<int, int> counts = census();
    const std::pair<int, const char*> wanted[] = {
        {Plain, "plain"},         {Forest, "forest"},          {ForestFruit, "fruit forest"},
        {ForestGray, "gray forest"}, {ForestLeaf, "leaf forest"}, {ForestB, "forest b"},
        {ForestC, "forest c"},    {Water, "water"},            {WaterDeep, "deep sea"},
        {Swamp, "swamp"},         {Desert, "desert"},          {Hills, "hills"},
        {Mountain, "mountain"},   {MountainHigh, "high peaks"}, {Road, "road"},
        {Village, "village"},     {VillageYellow, "yellow village"}, {VillageBlue, "blue village"},
        {VillageGreen, "green village"}, {VillageRed, "red village"}, {Ruin, "ruin"},
        {Castle, "castle"},       {Grotto, "grotto"},          {Mine, "mine"},
        {IronMine, "iron mine"},  {Well, "well"},
    };
    for (const auto& [code, name] : wanted)
        EXPECT_GT(counts.count(code) ? counts.at(code) : 0, 0) << "no " << name;
    EXPECT_GT(counts.at(WaterDeep), side * side / 10) << "a sea, not a pond";
    EXPECT_GT(counts.at(Plain), side * side / 10);
}

// Every town reaches every other along roads and through towns.
TEST_F(OverworldMap, RoadsJoinAllTownsAndTheCastle)
{
    std::vector<int> towns;
    for (int cell = 0; cell < side * side; ++cell)
        if (isTown((*map)[cell]))
            towns.push_back(cell);
    ASSERT_GE(towns.size(), 6u);
    std::vector<bool> reached(side * side, false);
    std::deque<int> queue{towns.front()};
    reached[towns.front()] = true;
    while (!queue.empty()) {
        const int cell = queue.front();
        queue.pop_front();
        const int x = cell % side, y = cell / side;
        for (const auto& [nx, ny] : {std::pair{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}}) {
            if (nx < 0 || ny < 0 || nx >= side || ny >= side)
                continue;
            const int next = ny * side + nx;
            if (!reached[next] && ((*map)[next] == Road || isTown((*map)[next]))) {
                reached[next] = true;
                queue.push_back(next);
            }
        }
    }
    for (int town : towns)
        EXPECT_TRUE(reached[town]) << "town at " << town % side << ", " << town / side << " is cut off";
}

// Columns and rows 4..69 lie above the carved dungeon: mostly land there.
TEST_F(OverworldMap, LandLiesAboveTheDungeon)
{
    int water = 0, cells = 0;
    for (int y = 4; y <= 69; ++y)
        for (int x = 4; x <= 69; ++x, ++cells)
            water += (*map)[y * side + x] == Water || (*map)[y * side + x] == WaterDeep;
    EXPECT_LT(water, cells / 4);
}
}
