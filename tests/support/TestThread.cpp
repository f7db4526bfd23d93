#include "tests/support/TestThread.h"

#include <cstdio>
#include <cstdlib>

TestThread::TestThread(const char* name, std::function<void()> body, std::function<void()> stop)
    : mName(name), mStop(std::move(stop)), mThread([this, body = std::move(body)] {
          body();
          mFinished.Raise();
      })
{
}

TestThread::~TestThread()
{
    Join();
}

void TestThread::Join()
{
    if (!mThread.joinable())
        return;
    mStop();
    const ::testing::AssertionResult finished = mFinished.Wait(mName);
    if (!finished)
    {
        std::fprintf(stderr, "%s\n", finished.message());
        std::fflush(stderr);
        std::abort();
    }
    mThread.join();
}
