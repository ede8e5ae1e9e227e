// A page gets no signals: Escape is its only way to end the program, and
// closing the tab ends everything at once.
#include "platform/quit.h"

void installQuitSignals() {}
