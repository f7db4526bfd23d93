#pragma once

#include <array>
#include <atomic>
#include <cstddef>

// Parameter indexes marked on any thread and taken on another, each mark once, without a lock
// or an allocation: a mark made while a take runs is taken then or by the next take.
template <size_t Count>
class MarkedParams
{
public:
    // An index outside 0 .. Count - 1 is ignored.
    void Mark(int index)
    {
        if (index < 0 || static_cast<size_t>(index) >= Count)
            return;
        mMarked[static_cast<size_t>(index)].store(true, std::memory_order_relaxed);
        mAnyMarked.store(true, std::memory_order_release);
    }

    // Calls `take(index)` for every index marked since the last take, in index order.
    template <typename Take>
    void TakeEach(Take take)
    {
        if (!mAnyMarked.exchange(false, std::memory_order_acquire))
            return;
        for (size_t index = 0; index < Count; ++index)
            if (mMarked[index].exchange(false, std::memory_order_relaxed))
                take(static_cast<int>(index));
    }

private:
    std::array<std::atomic<bool>, Count> mMarked{};
    std::atomic<bool> mAnyMarked{false};
};
