#pragma once

#include "framework/RecursiveLock.h"
#include "tests/support/TestThread.h"

// True when another thread holds the lock: a second thread cannot take it.
inline bool IsLockedAgainstOtherThreads(RecursiveLock& lock)
{
    bool taken = false;
    TestThread probe("the lock probe", [&] {
        taken = lock.TryEnter();
        if (taken)
            lock.Leave();
    });
    probe.Join();
    return !taken;
}
