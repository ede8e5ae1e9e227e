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

void switchPixelScale(int scale)
{
    destroyWindowAndContext();
    pixelScale = scale;
    createWindowAndContext("GAME", screenWidth * pixelScale, screenHeight * pixelScale, 16);
    hideCursor();
}
