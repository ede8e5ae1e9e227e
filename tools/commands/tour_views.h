// Where the tour's pictures look from, picked from the generated grid so
// that every seed (and every map file) gets views that show something.
#pragma once

// A map-mode picture: the view cell (the map's origin lies 15 cells left of
// and below it).
struct MapShot {
    int x, y, layer;
};

// A 3D picture: the camera cell, the eye's offsets inside it and the angles.
struct CameraShot {
    int x, y, layer;
    float subX, subY, subZ;
    float yaw, pitch;
};

// The overworld window with the castle, villages, roads and coast in it.
MapShot overworldShot();

// Dungeon level `level` (1..9) on its plan layer, its rooms centred.
MapShot dungeonLevelShot(int level);

// From the sky layer, looking a little down over grass, brick and dirt.
CameraShot surfaceShot();

// From an open cell of a dungeon level, looking along its longest corridor.
CameraShot corridorShot();
