#pragma once

#include <atomic>
#include <cstdint>

// The one process-wide generator, for run-time users that need only its range (noise edits
// of a curve, random waveforms). Instances and threads draw from it concurrently; the
// state advances atomically, so the audio thread never waits on it.
class SharedRandom
{
public:
    // 0..32767, the sequence of LcgRandom.
    static int32_t Next();
    static void Seed(uint32_t seed);

private:
    static std::atomic<uint32_t> sState;
};
