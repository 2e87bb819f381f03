/* What the bare libxlsxwriter yardsticks share: the clock, and a workbook in constant-memory
 * mode whose temporary files go beside the output, as the component's go to its own folder. */
#ifndef QUORVANE_BENCH_BARE_WORKBOOK_H
#define QUORVANE_BENCH_BARE_WORKBOOK_H

#include <stdio.h>
#include <string.h>

#include <xlsxwriter.h>

#include "bench/Clock.h"

static inline lxw_workbook* bareWorkbook(const char* path)
{
    static char tmpdir[4096];
    snprintf(tmpdir, sizeof tmpdir, "%s", path);
    char* slash = strrchr(tmpdir, '/');
    if (slash)
        *slash = '\0';
    else
        strcpy(tmpdir, ".");
    lxw_workbook_options options = {LXW_TRUE, tmpdir, LXW_TRUE};
    return workbook_new_opt(path, &options);
}

#endif
