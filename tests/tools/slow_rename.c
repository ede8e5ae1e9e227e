/* Loaded with LD_PRELOAD: every rename waits two seconds before it is made,
 * so a test can interrupt a program while a finished file still lies under
 * its temporary name. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <unistd.h>

int rename(const char* from, const char* to)
{
    int (*realRename)(const char*, const char*) =
        (int (*)(const char*, const char*))dlsym(RTLD_NEXT, "rename");
    sleep(2); /* a signal ends the wait early */
    return realRename(from, to);
}
