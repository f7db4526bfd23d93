#pragma once

#include <array>
#include <atomic>
#include <bit>
#include <cstdint>

// What the threads that change parameters or load states leave for the editor's UI thread to
// show: the parameters whose controls and read-outs must follow their values, and whether the
// curve editors and the view settings must follow a load. Marking takes a few atomic words on
// any thread, the audio thread included, and never waits; the UI thread takes the marks.
class DueDisplays
{
public:
    static constexpr int kParamCapacity = 128;

    // Indexes outside 0 .. kParamCapacity - 1 are ignored. Automation marks one parameter many
    // times between two ticks: a mark that stands costs no locked write.
    void MarkParam(int index)
    {
        if (index < 0 || index >= kParamCapacity)
            return;
        std::atomic<uint64_t>& word = mParams[static_cast<size_t>(index) / kBitsPerWord];
        const uint64_t bit = uint64_t{1} << (index % kBitsPerWord);
        if ((word.load(std::memory_order_relaxed) & bit) == 0)
            word.fetch_or(bit, std::memory_order_relaxed);
    }
    void MarkCurveEditors() { mCurveEditors.store(true, std::memory_order_relaxed); }
    void MarkViewSettings() { mViewSettings.store(true, std::memory_order_relaxed); }

    bool Any() const
    {
        for (const std::atomic<uint64_t>& word : mParams)
            if (word.load(std::memory_order_relaxed) != 0)
                return true;
        return mCurveEditors.load(std::memory_order_relaxed) || mViewSettings.load(std::memory_order_relaxed);
    }

    // Clears the marked parameters, then calls show(index) for each in index order. One marked
    // again meanwhile stays marked for the next time.
    template <class Show>
    void TakeParams(Show&& show)
    {
        for (size_t w = 0; w < mParams.size(); ++w)
        {
            for (uint64_t bits = mParams[w].exchange(0, std::memory_order_relaxed); bits != 0; bits &= bits - 1)
                show(static_cast<int>(w * kBitsPerWord) + std::countr_zero(bits));
        }
    }
    bool TakeCurveEditors() { return mCurveEditors.exchange(false, std::memory_order_relaxed); }
    bool TakeViewSettings() { return mViewSettings.exchange(false, std::memory_order_relaxed); }
    void Clear()
    {
        TakeParams([](int) {});
        TakeCurveEditors();
        TakeViewSettings();
    }

private:
    static constexpr int kBitsPerWord = 64;

    std::array<std::atomic<uint64_t>, kParamCapacity / kBitsPerWord> mParams{};
    std::atomic<bool> mCurveEditors{false};
    std::atomic<bool> mViewSettings{false};
};
