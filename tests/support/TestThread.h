#pragma once
// A test's second thread, stopped and joined on every way out of the test: a failing ASSERT
// returns from the test body while the thread still runs, and a std::thread left joinable
// ends the program in std::terminate.

#include "tests/support/ThreadWait.h"

#include <functional>
#include <thread>

class TestThread
{
public:
    // `stop` makes `body` return soon: it clears the flag the body loops on, or raises what
    // the body waits for. Both run before Join returns, however the test ends.
    TestThread(const char* name, std::function<void()> body, std::function<void()> stop = [] {});
    ~TestThread();
    TestThread(const TestThread&) = delete;
    TestThread& operator=(const TestThread&) = delete;

    // Stops the thread and waits for its end. One that does not end within the wait limit is a
    // hang no test can recover from (it may still use the test's objects): the program ends
    // with a message, so the run fails at once instead of at its time limit.
    void Join();

private:
    const char* mName;
    std::function<void()> mStop;
    ThreadSignal mFinished;
    std::thread mThread;
};
