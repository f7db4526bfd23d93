// The helpers that keep a thread test from hanging: a wait that ends once its condition holds,
// fails with its reason when it never does, and a thread stopped and joined on an early return.
#include "tests/support/TestThread.h"
#include "tests/support/ThreadWait.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>

namespace
{
// Short, so the cases that run out of time do not hold the run up.
constexpr std::chrono::milliseconds kShortLimit{20};

TEST(ThreadSignal, AWaitEndsOnceRaisedAndFailsWithItsReasonWhenNeverRaised)
{
    ThreadSignal raised;
    TestThread raiser("the raiser", [&] { raised.Raise(); });
    EXPECT_TRUE(raised.Wait("the raiser"));
    EXPECT_TRUE(raised.Wait("the raiser, again"));

    ThreadSignal never;
    const ::testing::AssertionResult result = never.Wait("a signal nobody raises", kShortLimit);
    EXPECT_FALSE(result);
    EXPECT_THAT(result.message(), ::testing::HasSubstr("a signal nobody raises"));
}

TEST(WaitUntil, LooksUntilTheConditionHoldsAndFailsWithItsReasonWhenItNeverDoes)
{
    std::atomic<bool> done{false};
    TestThread setter("the setter", [&] { done = true; });
    EXPECT_TRUE(WaitUntil([&] { return done.load(); }, "the setter"));

    const ::testing::AssertionResult result = WaitUntil([] { return false; }, "a condition that never holds",
                                                        [] {}, kShortLimit);
    EXPECT_FALSE(result);
    EXPECT_THAT(result.message(), ::testing::HasSubstr("a condition that never holds"));
}

TEST(TestThread, LeavingItsScopeStopsAndJoinsTheThread)
{
    std::atomic<bool> running{true};
    std::atomic<bool> ended{false};
    {
        TestThread loop(
            "the loop",
            [&] {
                while (running)
                    std::this_thread::yield();
                ended = true;
            },
            [&] { running = false; });
    }
    EXPECT_TRUE(ended);
}
}
