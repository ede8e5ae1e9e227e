/* Preloaded into the program by bench/window_reopenings.sh: counts the
 * windows SDL creates and writes the count, every 100, to the file named by
 * COUNT_WINDOWS_FILE. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>

typedef void* (*CreateWindow)(const char*, int, int, int, int, unsigned);

void* SDL_CreateWindow(const char* title, int x, int y, int w, int h, unsigned flags)
{
    static CreateWindow real = NULL;
    static long created = 0;
    if (!real)
        real = (CreateWindow)dlsym(RTLD_NEXT, "SDL_CreateWindow");
    if (++created % 100 == 0 && getenv("COUNT_WINDOWS_FILE")) {
        FILE* out = fopen(getenv("COUNT_WINDOWS_FILE"), "w");
        if (out) {
            fprintf(out, "%ld\n", created);
            fclose(out);
        }
    }
    return real(title, x, y, w, h, flags);
}
