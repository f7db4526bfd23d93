#include "framework/ProcessLocks.h"
#include "framework/RecursiveLock.h"
#include "framework/ScopedLock.h"

#include "tests/framework/LockProbe.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

namespace
{
TEST(RecursiveLock, OwnerMayReenterAndOthersWaitUntilTheLastLeave)
{
    RecursiveLock lock;
    EXPECT_FALSE(IsLockedAgainstOtherThreads(lock));
    lock.Enter();
    lock.Enter();
    EXPECT_TRUE(IsLockedAgainstOtherThreads(lock));
    lock.Leave();
    EXPECT_TRUE(IsLockedAgainstOtherThreads(lock));
    lock.Leave();
    EXPECT_FALSE(IsLockedAgainstOtherThreads(lock));
}

TEST(RecursiveLock, ExcludesOtherThreadsFromTheGuardedWork)
{
    RecursiveLock lock;
    int counter = 0;
    auto work = [&] {
        for (int i = 0; i < 20000; ++i)
        {
            ScopedLock guard(lock);
            ScopedLock again(lock);
            const int seen = counter;
            std::this_thread::yield();
            counter = seen + 1;
        }
    };
    TestThread first("the first worker", work);
    TestThread second("the second worker", work);
    first.Join();
    second.Join();
    EXPECT_EQ(counter, 40000);
}

TEST(ScopedLock, ReleasesWhenAnExceptionPasses)
{
    RecursiveLock lock;
    try
    {
        ScopedLock guard(lock);
        throw std::runtime_error("passing through");
    }
    catch (const std::runtime_error&)
    {
    }
    EXPECT_FALSE(IsLockedAgainstOtherThreads(lock));
}

TEST(ProcessLocks, AreDistinctAndTheSameOnEveryCall)
{
    EXPECT_EQ(&BitmapCacheLock(), &BitmapCacheLock());
    EXPECT_NE(&BitmapCacheLock(), &FontCacheLock());
    EXPECT_NE(&FontCacheLock(), &InstanceCreationLock());
    ScopedLock guard(FontCacheLock());
    EXPECT_TRUE(IsLockedAgainstOtherThreads(FontCacheLock()));
    EXPECT_FALSE(IsLockedAgainstOtherThreads(BitmapCacheLock()));
}
}
