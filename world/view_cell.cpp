// The view cell's storage: column 0, row 0, the starting layer.
#include "world/view_cell.h"

int SX = 0;
int SY = 0;
int SZ = startViewLayer;
