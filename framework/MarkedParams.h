#pragma once

#include <array>
#include <atomic>
#include <cstddef>

// Parameter indexes marked on any thread and taken on others, each mark once, without a lock
// or a wait: a mark made while a take runs is taken by that take or by the next.
template <size_t Count>
class MarkedParams
{
public:
    // An index outside 0 .. Count - 1 is ignored.
    void Mark(int index)
    {
        if (index < 0 || static_cast<size_t>(index) >= Count)
            return;
        mMarked[static_cast<size_t>(index)].store(true);
        mAnyMarked.store(true);
    }

    // Calls `take(index)` for every index marked since the last take, in index order. Takes run
    // one at a time: one begun while another runs on another thread takes nothing and leaves
    // the marks to the next, so what is taken later is never handed on before what was taken
    // earlier.
    template <typename Take>
    void TakeEach(Take take)
    {
        if (!mAnyMarked.load() || mTaking.exchange(true))
            return;
        if (mAnyMarked.exchange(false))
        {
            for (size_t index = 0; index < Count; ++index)
                if (mMarked[index].exchange(false))
                    take(static_cast<int>(index));
        }
        mTaking.store(false);
    }

private:
    std::array<std::atomic<bool>, Count> mMarked{};
    std::atomic<bool> mAnyMarked{false};
    std::atomic<bool> mTaking{false};
};
