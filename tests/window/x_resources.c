/* Prints what the X server holds for the client that owns a window, one
 * "TYPE=COUNT" per kind of resource, in the server's own order, through the
 * X-Resource extension. Usage: x_resources WINDOW_ID */
#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: x_resources WINDOW_ID\n");
        return 2;
    }
    const XID window = strtoul(argv[1], NULL, 0);
    Display* display = XOpenDisplay(NULL);
    int eventBase, errorBase;
    if (!display || !XResQueryExtension(display, &eventBase, &errorBase)) {
        fprintf(stderr, "x_resources: no display, or no X-Resource extension\n");
        return 1;
    }
    int count;
    XResClient* clients;
    XResQueryClients(display, &count, &clients);
    int status = 1;
    for (int i = 0; i < count && status != 0; ++i) {
        if ((window & ~clients[i].resource_mask) != clients[i].resource_base)
            continue;
        int kinds;
        XResType* types;
        XResQueryClientResources(display, clients[i].resource_base, &kinds, &types);
        for (int k = 0; k < kinds; ++k) {
            char* name = XGetAtomName(display, types[k].resource_type);
            printf("%s=%u\n", name, types[k].count);
            XFree(name);
        }
        XFree(types);
        status = 0;
    }
    XFree(clients);
    XCloseDisplay(display);
    if (status != 0)
        fprintf(stderr, "x_resources: no client owns window %s\n", argv[1]);
    return status;
}
