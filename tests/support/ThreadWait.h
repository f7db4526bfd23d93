#pragma once
// Waits between a test's threads that end: a thread that never does what the test waits for
// becomes a failure with a message once the limit has passed, instead of a stalled run.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// Long enough for a few hundred sanitized blocks under Wine on a loaded machine; well inside the
// time limit of any test program.
constexpr std::chrono::seconds kThreadWaitLimit{30};

// The failure of a wait for `what` that took longer than `limit`.
::testing::AssertionResult WaitTimedOut(const char* what, std::chrono::steady_clock::duration limit);

// Looks at `done` until it holds, doing `between` after each look that finds it not yet done.
template <class Done, class Between>
::testing::AssertionResult WaitUntil(Done done, const char* what, Between between,
                                     std::chrono::steady_clock::duration limit = kThreadWaitLimit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return WaitTimedOut(what, limit);
        between();
    }
    return ::testing::AssertionSuccess();
}

template <class Done>
::testing::AssertionResult WaitUntil(Done done, const char* what)
{
    return WaitUntil(done, what, [] { std::this_thread::yield(); });
}

// One thread raises it, others wait for it; once raised it stays raised. Only a mutex and a
// condition variable: the Windows build's libstdc++ builds its semaphores and atomic waits on
// winpthreads condition variables without a futex, and a wake-up of theirs was seen lost.
class ThreadSignal
{
public:
    void Raise();
    ::testing::AssertionResult Wait(const char* what, std::chrono::steady_clock::duration limit = kThreadWaitLimit);

private:
    std::mutex mMutex;
    std::condition_variable mChanged;
    bool mRaised = false;
};
