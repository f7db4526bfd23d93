#include "tools/vsthost/ThreadCpuTime.h"

#include <ctime>

double ThreadCpuTime::Seconds()
{
    timespec time{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time) != 0)
        return 0.0;
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
}
