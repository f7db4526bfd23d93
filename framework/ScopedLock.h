#pragma once

#include "framework/RecursiveLock.h"

// Holds a lock for the guard's lifetime, so every path out (including an exception) releases it.
class ScopedLock
{
public:
    explicit ScopedLock(RecursiveLock& lock) : mLock(lock) { mLock.Enter(); }
    ~ScopedLock() { mLock.Leave(); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    RecursiveLock& mLock;
};
