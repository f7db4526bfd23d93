#include "tools/vsthost/ThreadCpuTime.h"

#include <ctime>

namespace
{
double ToSeconds(const timespec& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
}
}

double ThreadCpuTime::Seconds()
{
    timespec time{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time) != 0)
        return 0.0;
    return ToSeconds(time);
}

double ThreadCpuTime::StepSeconds()
{
    timespec resolution{};
    if (clock_getres(CLOCK_THREAD_CPUTIME_ID, &resolution) != 0)
        return 0.0;
    return ToSeconds(resolution);
}
