#include "tools/vsthost/ThreadCpuTime.h"

#include <windows.h>

#include <chrono>

namespace
{
constexpr double kSecondsPerFileTimeTick = 1e-7;

double Ticks(const FILETIME& time)
{
    return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

// A count that has not moved in this long never will: the step is then unknown (0).
constexpr double kLongestSpinSeconds = 1.0;

// Spins until the count leaves `from`; `from` again when it did not in time.
double NextCount(double from)
{
    const auto start = std::chrono::steady_clock::now();
    double now = from;
    while (now == from &&
           std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() < kLongestSpinSeconds)
        now = ThreadCpuTime::Seconds();
    return now;
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

// From one change of the count to the next: the first change ends a step begun before the call.
double ThreadCpuTime::StepSeconds()
{
    const double first = NextCount(Seconds());
    return NextCount(first) - first;
}
