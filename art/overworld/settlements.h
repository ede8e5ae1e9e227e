// The overworld's people: villages of five realms joined by roads, a castle,
// and ruins, mines, grottoes and wells about the land.
#pragma once

#include "art/overworld/terrain.h"

// Places every site on the terrain and lays the roads between them.
void placeSettlements(Terrain& terrain, ArtRandom& random);
