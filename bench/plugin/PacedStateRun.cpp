#include "bench/plugin/PacedStateRun.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;
constexpr double kRate = 48000.0;
constexpr int kBlock = 512;
constexpr double kMeasuredSeconds = 5.0;
constexpr auto kPauseBetweenStateCalls = std::chrono::milliseconds(1);

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

double Percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0.0;
    const auto rank = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + static_cast<long>(rank), values.end());
    return values[rank];
}
}

PacedStateFigures RunPacedStateCalls(RecursiveLock& pluginLock, const std::function<void()>& processBlock,
                                     const std::function<void()>& stateCall, double seconds)
{
    std::atomic<bool> playing{true};
    std::vector<double> waits;
    std::vector<double> calls;
    // No allocation on the audio thread while it measures.
    waits.reserve(static_cast<size_t>(seconds * kRate / kBlock) * 2 + 16);
    const auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(kBlock / kRate));

    std::thread audio([&] {
        auto next = Clock::now();
        while (playing.load())
        {
            next += period;
            std::this_thread::sleep_until(next);
            // Taking the lock first measures the wait alone; the entry takes it again inside.
            const auto asked = Clock::now();
            pluginLock.Enter();
            waits.push_back(Milliseconds(Clock::now() - asked));
            processBlock();
            pluginLock.Leave();
        }
    });

    const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    while (Clock::now() < end)
    {
        const auto start = Clock::now();
        stateCall();
        calls.push_back(Milliseconds(Clock::now() - start));
        // A host does other work between state calls; back to back, an unfair lock would
        // starve the audio thread of even short holds.
        std::this_thread::sleep_for(kPauseBetweenStateCalls);
    }
    playing.store(false);
    audio.join();

    PacedStateFigures figures;
    figures.worstWaitMs = waits.empty() ? 0.0 : *std::max_element(waits.begin(), waits.end());
    figures.medianWaitMs = Percentile(waits, 0.5);
    figures.percentile99WaitMs = Percentile(waits, 0.99);
    figures.worstStateCallMs = calls.empty() ? 0.0 : *std::max_element(calls.begin(), calls.end());
    figures.medianStateCallMs = Percentile(calls, 0.5);
    figures.blocks = static_cast<int>(waits.size());
    figures.stateCalls = static_cast<int>(calls.size());
    return figures;
}

void ReportPacedStateCalls(benchmark::State& state, RecursiveLock& pluginLock,
                           const std::function<void()>& processBlock, const std::function<void()>& stateCall)
{
    for (auto _ : state)
    {
        const PacedStateFigures figures = RunPacedStateCalls(pluginLock, processBlock, stateCall, kMeasuredSeconds);
        state.counters["worst_wait_ms"] = figures.worstWaitMs;
        state.counters["median_wait_ms"] = figures.medianWaitMs;
        state.counters["p99_wait_ms"] = figures.percentile99WaitMs;
        state.counters["worst_state_call_ms"] = figures.worstStateCallMs;
        state.counters["median_state_call_ms"] = figures.medianStateCallMs;
        state.counters["blocks"] = figures.blocks;
        state.counters["state_calls"] = figures.stateCalls;
    }
}
