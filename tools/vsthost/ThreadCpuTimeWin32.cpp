#include "tools/vsthost/ThreadCpuTime.h"

#include <windows.h>

namespace
{
constexpr double kSecondsPerFileTimeTick = 1e-7;

double Ticks(const FILETIME& time)
{
    return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}
}

double ThreadCpuTime::Seconds()
{
    FILETIME created;
    FILETIME exited;
    FILETIME kernel;
    FILETIME user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user))
        return 0.0;
    return (Ticks(kernel) + Ticks(user)) * kSecondsPerFileTimeTick;
}
