#include "framework/ProcessLocks.h"

RecursiveLock& BitmapCacheLock()
{
    static RecursiveLock lock;
    return lock;
}

RecursiveLock& FontCacheLock()
{
    static RecursiveLock lock;
    return lock;
}

RecursiveLock& InstanceCreationLock()
{
    static RecursiveLock lock;
    return lock;
}
