// A pause in a page yields to the browser for its length: the page stays
// alive (events, pictures) while the program waits.
#include "platform/backend.h"

#include <emscripten.h>

void sleepMilliseconds(int ms)
{
    emscripten_sleep(unsigned(ms));
}
