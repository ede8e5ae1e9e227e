/* A window manager that never maps a window: it holds the root window's
 * substructure redirect, so every map and configure request of a top-level
 * window comes to it, and it grants none. Prints "ready" once it holds the
 * redirect; runs until it is killed. */
#include <X11/Xlib.h>
#include <stdio.h>

int main(void)
{
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "never_map_wm: cannot open the display\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureRedirectMask);
    XSync(display, False);
    printf("ready\n");
    fflush(stdout);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event); /* MapRequest, ConfigureRequest: ignored */
    }
}
