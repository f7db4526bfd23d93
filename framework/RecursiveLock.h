#pragma once

#include <memory>

// A lock that the thread holding it may take again; each Enter needs its own Leave.
// The Windows build uses a critical section, the native build std::recursive_mutex.
class RecursiveLock
{
public:
    RecursiveLock();
    ~RecursiveLock();
    RecursiveLock(const RecursiveLock&) = delete;
    RecursiveLock& operator=(const RecursiveLock&) = delete;

    void Enter();
    bool TryEnter();
    void Leave();

private:
    struct State;
    std::unique_ptr<State> mState;
};
