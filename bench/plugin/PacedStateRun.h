#pragma once
// A host playing and saving at once: an audio thread paced like a 512-frame host at 48 kHz
// and a UI thread saving and restoring the plug-in's state beside it. The audio thread times
// how long each block waits for the plug-in lock before it can run.

#include "framework/RecursiveLock.h"

#include <benchmark/benchmark.h>

#include <functional>

struct PacedStateFigures
{
    double worstWaitMs = 0.0;
    double medianWaitMs = 0.0;
    // On a loaded machine the worst wait also holds the times a lock holder was preempted.
    double percentile99WaitMs = 0.0;
    double worstStateCallMs = 0.0;
    double medianStateCallMs = 0.0;
    int blocks = 0;
    int stateCalls = 0;
};

// Runs `processBlock` every block period and `stateCall` back to back for `seconds`.
PacedStateFigures RunPacedStateCalls(RecursiveLock& pluginLock, const std::function<void()>& processBlock,
                                     const std::function<void()>& stateCall, double seconds);

// Runs one paced measurement and reports its figures as the benchmark's counters.
void ReportPacedStateCalls(benchmark::State& state, RecursiveLock& pluginLock,
                           const std::function<void()>& processBlock, const std::function<void()>& stateCall);
