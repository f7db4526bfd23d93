#include "tests/support/ThreadWait.h"

namespace
{
// A waiter looks again this often even without a wake-up, so a lost one costs only this.
constexpr std::chrono::milliseconds kLookAgain{10};
}

::testing::AssertionResult WaitTimedOut(const char* what, std::chrono::steady_clock::duration limit)
{
    return ::testing::AssertionFailure() << "still waiting for " << what << " after "
                                         << std::chrono::duration_cast<std::chrono::seconds>(limit).count() << " s";
}

void ThreadSignal::Raise()
{
    {
        std::lock_guard<std::mutex> hold(mMutex);
        mRaised = true;
    }
    mChanged.notify_all();
}

::testing::AssertionResult ThreadSignal::Wait(const char* what, std::chrono::steady_clock::duration limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::unique_lock<std::mutex> hold(mMutex);
    while (!mRaised)
    {
        if (std::chrono::steady_clock::now() > deadline)
            return WaitTimedOut(what, limit);
        mChanged.wait_for(hold, kLookAgain);
    }
    return ::testing::AssertionSuccess();
}
