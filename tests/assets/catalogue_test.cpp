// The image catalogue: the 214 loads, their order, ids and file names.
#include "assets/catalogue.h"
#include "assets/image_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

const CatalogueLoad* loadOfId(int id)
{
    for (const CatalogueLoad& load : imageCatalogue)
        if (load.id == id)
            return &load;
    return nullptr;
}

std::string pathOfId(int id)
{
    const CatalogueLoad* load = loadOfId(id);
    return load ? cataloguePath(*load) : "(no load)";
}

} // namespace

TEST(Catalogue, GroupsRunInTheirFixedOrder)
{
    std::vector<std::pair<std::string, int>> runs;
    for (const CatalogueLoad& load : imageCatalogue) {
        if (runs.empty() || runs.back().first != load.folder)
            runs.emplace_back(load.folder, 0);
        ++runs.back().second;
    }
    const std::vector<std::pair<std::string, int>> expected = {
        {"bmp_cross", 1}, {"bmp_unit", 58}, {"bmp_land", 27}, {"bmp_dungeon", 40},
        {"bmp_structure", 10}, {"bmp_item", 56}, {"bmp_scr", 1}, {"bmp_cube", 7},
        {"bmp_unit", 14},
    };
    EXPECT_EQ(runs, expected);
    EXPECT_EQ(cataloguePath(imageCatalogue[0]), "bmp_cross/cross4.bmp");
    EXPECT_EQ(imageCatalogue[0].id, 1104);
    EXPECT_EQ(imageCatalogue[catalogueLoadCount - 1].id, 1223);
    EXPECT_EQ(cataloguePath(imageCatalogue[catalogueLoadCount - 1]),
              "bmp_unit/unit_pleidian.bmp");
}

TEST(Catalogue, EveryIdLoadedOnceAndSixteenFilesTwice)
{
    std::set<int> ids;
    std::map<std::string, std::vector<int>> idsOfFile;
    for (const CatalogueLoad& load : imageCatalogue) {
        EXPECT_TRUE(load.id >= 0 && load.id < imageCount) << load.id;
        EXPECT_TRUE(ids.insert(load.id).second) << "id loaded twice: " << load.id;
        idsOfFile[cataloguePath(load)].push_back(load.id);
    }
    EXPECT_EQ(idsOfFile.size(), 198u);
    int twice = 0;
    for (const auto& [path, fileIds] : idsOfFile) {
        EXPECT_LE(fileIds.size(), 2u) << path;
        twice += fileIds.size() == 2;
    }
    EXPECT_EQ(twice, 16);
    EXPECT_EQ(idsOfFile["bmp_unit/unit_mage.bmp"], (std::vector<int>{849, 981}));
    EXPECT_EQ(idsOfFile["bmp_dungeon/source.bmp"], (std::vector<int>{130, 160}));
    EXPECT_EQ(idsOfFile["bmp_land/forest_leaf.bmp"], (std::vector<int>{21, 193}));
    EXPECT_EQ(idsOfFile["bmp_unit/unit_ogre.bmp"], (std::vector<int>{876, 1218}));
}

TEST(Catalogue, SpotChecksOfIdsAndNames)
{
    const std::vector<std::pair<int, std::string>> expected = {
        {1104, "bmp_cross/cross4.bmp"},
        {1200, "bmp_cube/structure_castle.bmp"},
        {1201, "bmp_cube/brickold2.bmp"},
        {1202, "bmp_cube/grass3.bmp"},
        {1203, "bmp_cube/dirt1.bmp"},
        {1204, "bmp_cube/brickold3.bmp"},
        {1205, "bmp_cube/item_whale_blade.bmp"},
        {1206, "bmp_cube/DSC3.bmp"},
        {0, "bmp_item/blank.bmp"},
        {3001, "bmp_item/item_blue_bag.bmp"},
        {1000, "bmp_scr/intro1.bmp"},
    };
    for (const auto& [id, path] : expected)
        EXPECT_EQ(pathOfId(id), path) << id;
    EXPECT_EQ(loadOfId(804), nullptr); // ids no load fills stay empty
    EXPECT_EQ(loadOfId(1207), nullptr);
}
