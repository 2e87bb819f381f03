/* A library whose constructor writes the file named by QUORVANE_MARKER: the tests hand it to the
   driver manager in every way a container could name it, and the file must never appear. */
#include <stdio.h>
#include <stdlib.h>

__attribute__((constructor)) static void markLoaded(void)
{
    const char* marker = getenv("QUORVANE_MARKER");
    if (marker == NULL)
        return;
    FILE* file = fopen(marker, "w");
    if (file != NULL) {
        fputs("loaded\n", file);
        fclose(file);
    }
}
