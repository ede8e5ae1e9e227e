// A page's frames come on the browser's animation frames: the program
// yields to the browser until the next one (at most 60 a second, page.js),
// and gets its events and shows its picture meanwhile.
#include "platform/backend.h"

#include "platform/web/page.h"

void paceFrame()
{
    pageAwaitFrame();
}
