#pragma once
// Audio played through the plug-in in real time on a thread of its own, as a host's audio
// thread does while the user looks at the editor: a sine in blocks at the pace of the sample
// rate, with an optional call before each block (automation).

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

class PluginInstance;

class PacedAudio
{
public:
    // Switches the plug-in on and starts the thread; `beforeBlock` gets the block's number.
    PacedAudio(PluginInstance& plugin, double sampleRate, int32_t blockSize,
               std::function<void(int64_t block)> beforeBlock);
    // Stops the thread and switches the plug-in off.
    ~PacedAudio();
    PacedAudio(const PacedAudio&) = delete;
    PacedAudio& operator=(const PacedAudio&) = delete;

    int64_t Blocks() const { return blocks_.load(); }

private:
    void Play();

    PluginInstance& plugin_;
    double sampleRate_;
    int32_t blockSize_;
    std::function<void(int64_t)> beforeBlock_;
    std::atomic<bool> stop_{false};
    std::atomic<int64_t> blocks_{0};
    std::thread thread_;
};
