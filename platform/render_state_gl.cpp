// The GL state of every new context: the fixed 320 x 240 viewport and
// perspective, the render state the frames rely on, and the probe of the
// background key. Plain OpenGL 1.1 and GLU, shared by every backend.
#include "platform/render_state.h"

#include "platform/video.h"
#include "platform/window.h"

#include <GL/gl.h>
#include <GL/glu.h>

std::uint8_t backgroundKey[3] = {255, 0, 229};
int (*createContextTextures)() = nullptr;

void setupProjection()
{
    glViewport(0, 0, view3DMode.width, view3DMode.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 4.0f / 3.0f, 0.1f, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void initRenderState()
{
    if (createContextTextures)
        createContextTextures(); // a new context has no textures of its own
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(1.0f, 0.0f, 0.9f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

// The clear colour comes back from the framebuffer as whatever the driver's
// conversion makes of it; the read-back must key on exactly those bytes.
void probeBackgroundKey()
{
    glClear(GL_COLOR_BUFFER_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, backgroundKey);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
}
