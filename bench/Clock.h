/* The benchmarks' clock, for C and C++ alike: seconds(CLOCK_MONOTONIC) for wall time,
 * seconds(CLOCK_PROCESS_CPUTIME_ID) for the process's CPU time. */
#ifndef QUORVANE_BENCH_CLOCK_H
#define QUORVANE_BENCH_CLOCK_H

#include <time.h>

static inline double seconds(clockid_t clock)
{
    struct timespec now;
    clock_gettime(clock, &now);
    return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

#endif
