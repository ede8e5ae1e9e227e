// The start-up loading driver: world storage, image table, unit records and
// the 214 catalogue images.
#pragma once

// Sets the video mode again at its current size, allocates the grid, the
// image table, the unit records (all zeroed) and the generator's storage,
// runs the catalogue loads in order and puts the player unit in the middle of
// its cell. Always 1: a file that fails to load leaves its entry empty.
int loadAssets();
