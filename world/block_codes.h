// The byte vocabulary of the world grid. What a code means depends on the
// band it sits in: cube codes in the 3D world, plan codes in the dungeon
// plan layers, terrain and site codes in the overworld layer.
#pragma once

#include <cstdint>

enum BlockCode : std::uint8_t {
    // The 3D world (4, 5 and 6 have cube images but nothing writes them).
    Air = 0,
    Brick = 1,
    Grass = 2,
    Dirt = 3,

    // The dungeon plan, written by the generator.
    Wall = '=',        // 61: unexcavated rock inside a level square
    Floor = '<',       // 60: room floor and open doorways
    Door = 'F',        // 70
    StairsUp = 'L',    // 76: lower end of a stair pair
    StairsDown = 'M',  // 77: upper end of a stair pair
    Chest = 'Z',       // 90
    Candelabrum = 'V', // 86
    Scrolls = 'd',     // 100
    Coffin = 'X',      // 88
    Fountain = 'T',    // 84
    RoomMark = 160,    // a marked prefab cell

    // Dungeon codes the map view draws but nothing in the program writes.
    MarbleFloor = 'D',        // 68
    SourceComplete = 'N',     // 78
    Source = 'O',             // 79
    Spawn = 'P',              // 80
    SpawnComplete = 'Q',      // 81
    Trap = 'R',               // 82
    TrapDisabled = 'S',       // 83
    FountainDrank = 'U',      // 85
    CandelabrumExtinct = 'W', // 87
    CoffinOpen = 'Y',         // 89
    ChestOpen = '[',          // 91
    Circle = 'l',             // 108
    CircleAflamed = 'm',      // 109
    CircleGolden = 'o',       // 111
    Altar = 'p',              // 112
    AltarDark = 'q',          // 113
    AltarJeweled = 't',       // 116
    Torch = 128,
    FloorBones = 161,
    FloorBonesCleaned = 162,
    Source2 = 211,
    SourceRed = 212,
    GearMechanism = 218,
    Lever = 219,

    // The overworld layer: terrain 10..24, sites 180..194.
    Plain = 10,
    Forest = 11,
    ForestFruit = 12,
    ForestGray = 13,
    Water = 14,
    WaterDeep = 15,
    Swamp = 16,
    Desert = 17,
    Hills = 18,
    Mountain = 19,
    MountainHigh = 20,
    ForestLeaf = 21,
    Road = 22,
    ForestB = 23,
    ForestC = 24,
    Village = 180,
    VillageYellow = 181,
    VillageBlue = 182,
    VillageGreen = 183,
    VillageRed = 184,
    Ruin = 188,
    Castle = 189,
    Grotto = 190,
    Mine = 191,
    IronMine = 192,
    ForestLeaf2 = 193,
    Well = 194,
};
