#include "framework/RecursiveLock.h"

#include <windows.h>

struct RecursiveLock::State
{
    CRITICAL_SECTION section;
};

RecursiveLock::RecursiveLock() : mState(std::make_unique<State>())
{
    InitializeCriticalSection(&mState->section);
}

RecursiveLock::~RecursiveLock()
{
    DeleteCriticalSection(&mState->section);
}

void RecursiveLock::Enter()
{
    EnterCriticalSection(&mState->section);
}

bool RecursiveLock::TryEnter()
{
    return TryEnterCriticalSection(&mState->section) != FALSE;
}

void RecursiveLock::Leave()
{
    LeaveCriticalSection(&mState->section);
}
