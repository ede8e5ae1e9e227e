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

// The whole catalogue, written out here group by group as "id name" in load
// order, so a misspelt or misplaced load fails even though the tool paints its
// files from the same table the program reads.
const char* const expectedLoads[][2] = {
    {"bmp_cross",
     "1104 cross4"},
    {"bmp_unit",
     "801 unit_giant_rat, 802 unit_green_slime, 803 unit_dog, 805 unit_serpent, "
     "806 unit_fungus, 810 unit_goblin, 811 unit_nabos, 812 unit_orc_b, 820 unit_beatle, "
     "821 unit_gor_dog, 822 unit_giant_spider, 823 unit_serpent_fire, "
     "824 unit_beatle_fire, 829 unit_drius, 830 unit_rust_monster, 831 unit_giant_worm, "
     "832 unit_gelatinous_cube, 840 unit_polar_geer, 841 unit_squeletton, "
     "842 unit_squeletton_zombi_wounded, 843 unit_squeletton_zombi, 849 unit_mage, "
     "852 unit_squeletton_sturdy, 853 unit_dwarf, 854 unit_squeletton_monster, "
     "861 unit_squeletton_brave, 863 unit_squeletton_floating, 870 unit_minotor, "
     "871 unit_floating_eye, 872 unit_squeletton_fire, 874 unit_mage_eye, "
     "875 unit_squeletton_ogre, 876 unit_ogre, 878 unit_squeletton_armored, "
     "881 unit_medusa, 882 unit_squeletton_warrior, 883 unit_mantis, "
     "890 unit_squeletton_evil, 902 unit_lich, 903 unit_dragon, 904 unit_dragon_hydra, "
     "906 unit_dragon_basilic, 960 unit_fire, 961 unit_fire_fire, "
     "962 unit_fire_fire_fire, 963 unit_water, 964 unit_water_water, "
     "965 unit_water_water_water, 966 unit_earth, 967 unit_earth_earth, "
     "968 unit_earth_earth_earth, 969 unit_air, 970 unit_air_air, 971 unit_air_air_air, "
     "980 unit_fighter, 981 unit_mage, 982 unit_cleric, 983 unit_bandit"},
    {"bmp_land",
     "10 plain, 11 forest, 12 forest_fruit, 13 forest_gray, 14 water, 15 water_deep, "
     "16 swamp_a, 17 desert_a, 18 hills_a, 19 mountain, 20 mountain_high_a, "
     "21 forest_leaf, 22 road, 23 forest_b, 24 forest_c, 180 village_b, "
     "181 village_b_yellow, 182 village_b_blue, 183 village_b_green, 184 village_b_red, "
     "188 ruin_a, 189 castle_a, 190 grottus, 191 mine, 192 iron_mine, 193 forest_leaf, "
     "194 well"},
    {"bmp_dungeon",
     "111 wall, 118 floor_marble, 119 floor, 120 chest, 121 chest_open, 122 candelabrum, "
     "123 candelabrum_extinct, 124 coffin, 125 coffin_open, 126 floor_bones, "
     "127 floor_bones_cleaned, 128 door, 129 door_opened, 130 source, "
     "131 source_complete, 132 spawn, 133 spawn_complete, 134 fountain, "
     "135 fountain_drank, 136 stairsd, 137 stairsu, 140 circle, 141 circle_golden, "
     "142 circle_aflamed, 144 altar, 145 altar_jeweled, 146 altar_dark, 148 trap, "
     "149 trap_disabled, 152 torch, 153 torch_extinct, 155 geer_mecanism, 156 lever, "
     "160 source, 161 source_red, 162 source_green, 163 source_blue, 164 source_yellow, "
     "165 source_brown, 167 scrolls"},
    {"bmp_structure",
     "390 hart, 400 structure_farm, 401 structure_merchant, 402 structure_quary, "
     "403 structure_stable, 404 structure_tower, 405 structure_barrack, "
     "406 structure_blacksmith, 407 structure_castle, 408 structure_church"},
    {"bmp_item",
     "0 blank, 600 item_knife, 601 item_dagger, 602 item_short_sword, 603 item_gauche, "
     "604 item_long_sword, 605 item_bastard_sword, 606 item_kopesh, 607 item_blade, "
     "608 item_blade_ameliorated, 609 item_behead, 610 item_broad_sword, 611 item_horner, "
     "612 item_glaive, 613 item_saber, 614 item_saber_ameliorated, 615 item_whale_blade, "
     "616 item_whale_blade_ameliorated, 617 item_two_handed_sword, "
     "618 item_two_bladed_sword, 619 item_two_bladed_sword_ameliorated, 3000 item_bag, "
     "3001 item_blue_bag, 630 item_maul, 631 item_morningstar, 632 item_mace, "
     "633 item_war_mace, 640 item_staff, 641 item_rod, 642 item_wand, 650 item_hand_axe, "
     "651 item_axe, 652 item_battle_axe, 653 item_iron_battle_axe, "
     "654 item_iron_ordered_battle_axe, 655 item_iron_rubioux_battle_axe, "
     "680 item_potion_red, 681 item_potion_green, 682 item_potion_blue, "
     "683 item_potion_yellow, 684 item_potion_white, 730 item_blue_robe, "
     "731 item_red_robe, 732 item_gray_robe, 740 item_leather_armor, "
     "741 item_studded_leather_armor, 742 item_chain_mail, 743 item_scale_armor_b, "
     "744 item_plate_armor, 745 item_full_plate_armor, 746 item_magic_armor, 780 socket, "
     "785 alleviated_corner1, 786 alleviated_corner2, 787 alleviated_corner3, "
     "788 alleviated_corner4"},
    {"bmp_scr",
     "1000 intro1"},
    {"bmp_cube",
     "1200 structure_castle, 1201 brickold2, 1202 grass3, 1203 dirt1, 1204 brickold3, "
     "1205 item_whale_blade, 1206 DSC3"},
    {"bmp_unit",
     "1210 unit_green_slime, 1211 unit_nabos, 1212 unit_serpent, 1213 unit_giant_spider, "
     "1214 unit_serpent_fire, 1215 unit_giant_worm, 1216 unit_floating_eye, "
     "1217 unit_gelatinous_cube, 1218 unit_ogre, 1219 unit_mage_eye, 1220 unit_minotor, "
     "1221 unit_mantis, 1222 unit_dragon_hydra, 1223 unit_pleidian"},
};

std::vector<std::string> splitLoads(const std::string& text)
{
    std::vector<std::string> loads;
    std::size_t start = 0;
    for (std::size_t comma; (comma = text.find(", ", start)) != std::string::npos; start = comma + 2)
        loads.push_back(text.substr(start, comma - start));
    loads.push_back(text.substr(start));
    return loads;
}

TEST(Catalogue, EveryLoadIsTheFolderFileAndIdOfItsPlace)
{
    std::vector<std::string> expected;
    for (const auto& [folder, loads] : expectedLoads)
        for (const std::string& load : splitLoads(loads)) {
            const std::size_t space = load.find(' ');
            expected.push_back(std::string(folder) + "/" + load.substr(space + 1) + ".bmp as " +
                               load.substr(0, space));
        }
    ASSERT_EQ(expected.size(), std::size_t(catalogueLoadCount));
    for (int i = 0; i < catalogueLoadCount; ++i)
        EXPECT_EQ(cataloguePath(imageCatalogue[i]) + " as " + std::to_string(imageCatalogue[i].id),
                  expected[i])
            << "load " << i;
}
