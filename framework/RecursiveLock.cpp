#include "framework/RecursiveLock.h"

#include <mutex>

struct RecursiveLock::State
{
    std::recursive_mutex mutex;
};

RecursiveLock::RecursiveLock() : mState(std::make_unique<State>())
{
}

RecursiveLock::~RecursiveLock() = default;

void RecursiveLock::Enter()
{
    mState->mutex.lock();
}

bool RecursiveLock::TryEnter()
{
    return mState->mutex.try_lock();
}

void RecursiveLock::Leave()
{
    mState->mutex.unlock();
}
