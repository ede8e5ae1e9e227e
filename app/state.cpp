// Definitions of the frame loop's program-wide state.
#include "app/state.h"

volatile std::sig_atomic_t quitFlag = 0;

int SX = 0;
int SY = 0;
int SZ = 12;

char textLine[textLineSize] = {};
