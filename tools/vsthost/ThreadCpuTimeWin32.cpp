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

// From one change of the count to the next, the smallest of a few: the first change ends a step
// begun before the call, and a thread kept from running for a while sees two steps at once.
double ThreadCpuTime::StepSeconds()
{
    constexpr int kSteps = 3;
    double count = NextCount(Seconds());
    double smallest = 0.0;
    for (int step = 0; step < kSteps; ++step)
    {
        const double next = NextCount(count);
        if (step == 0 || next - count < smallest)
            smallest = next - count;
        count = next;
    }
    return smallest;
}
