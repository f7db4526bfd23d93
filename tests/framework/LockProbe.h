#pragma once

#include "framework/RecursiveLock.h"

#include <thread>

// True when another thread holds the lock: a second thread cannot take it.
inline bool IsLockedAgainstOtherThreads(RecursiveLock& lock)
{
    bool taken = false;
    std::thread probe([&] {
        taken = lock.TryEnter();
        if (taken)
            lock.Leave();
    });
    probe.join();
    return !taken;
}
