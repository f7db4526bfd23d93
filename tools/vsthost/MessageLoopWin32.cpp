#include "tools/vsthost/MessageLoop.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>

void MessageLoop::RunFor(double seconds, double idleHz, const std::function<void()>& idle)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                     std::chrono::duration<double>(seconds));
    const auto period = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(idle && idleHz > 0.0 ? 1.0 / idleHz : seconds));
    Clock::time_point nextIdle = Clock::now() + period;
    for (Clock::time_point now = Clock::now(); now < end; now = Clock::now())
    {
        const Clock::time_point wake = idle ? std::min(nextIdle, end) : end;
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(wake - now).count();
        // A wait that timed out found no message: the queue is not asked again, which under
        // Wine is a round trip to its server on every idle call.
        const DWORD woke = MsgWaitForMultipleObjects(0, nullptr, FALSE,
                                                     static_cast<DWORD>(std::max<long long>(wait, 0)), QS_ALLINPUT);
        MSG message;
        while (woke != WAIT_TIMEOUT && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (idle && Clock::now() >= nextIdle)
        {
            idle();
            nextIdle += period;
        }
    }
}
