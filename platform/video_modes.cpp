// The mode switch (F6, F7) and the scale switch (F1 to F5). Both close the
// window and open a new one, whose fresh GL context sets its state again.
#include "platform/video.h"

#include "platform/window.h"

void switchVideoMode(int width, int height)
{
    setVideoMode(width, height);
    pixelScale = 2;
    destroyWindowAndContext();
    openGameWindow();
}

// The scale switch hides the cursor whether or not the opening succeeded.
void switchPixelScale(int scale)
{
    destroyWindowAndContext();
    pixelScale = scale;
    if (!openGameWindow())
        hideCursor();
}
