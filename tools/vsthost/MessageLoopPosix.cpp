#include "tools/vsthost/MessageLoop.h"

#include <chrono>
#include <thread>

// Without windows there are no messages: the idle calls at their pace are all there is.
void MessageLoop::RunFor(double seconds, double idleHz, const std::function<void()>& idle)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                     std::chrono::duration<double>(seconds));
    if (!idle || !(idleHz > 0.0))
    {
        std::this_thread::sleep_until(end);
        return;
    }
    const auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / idleHz));
    for (Clock::time_point next = Clock::now() + period; next < end; next += period)
    {
        std::this_thread::sleep_until(next);
        idle();
    }
}
