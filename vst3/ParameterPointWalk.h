#pragma once

#include "vst3/abi/IParameterChanges.h"

#include <cstddef>
#include <vector>

// Walks the parameter queues of one process call in sample order, so that each point takes
// effect at its own frame. Its storage is sized once, off the audio thread; a walk allocates
// nothing and only reads the host's queues.
class ParameterPointWalk
{
public:
    // Queues beyond `followedQueues` (a host sends one per changed parameter) are taken whole:
    // their last point, in the first hand-out of the block.
    explicit ParameterPointWalk(size_t followedQueues);

    void Start(Vst3::IParameterChanges* changes);

    // Gives apply(id, value), queue by queue, each queue's latest point at or before `frame`
    // that it has not had yet. The points passed over meanwhile are dropped, as are points
    // that cannot be read.
    template <typename Apply>
    void HandOutUpTo(Vst3::int32 frame, Apply&& apply)
    {
        Vst3::ParamID id = 0;
        Vst3::ParamValue value = 0.0;
        for (Vst3::int32 queue = 0; queue < mQueueCount; ++queue)
        {
            if (TakeDue(queue, frame, id, value))
                apply(id, value);
        }
        mFirstHandOut = false;
    }

    // The frame of the earliest point still to come, or `end` when none comes before it.
    Vst3::int32 NextFrame(Vst3::int32 end) const;

private:
    struct Cursor
    {
        Vst3::int32 point;
        // The frame of that point; kUnread before it has been looked at, kNoPoint when none is left.
        Vst3::int32 frame;
    };

    bool TakeDue(Vst3::int32 queue, Vst3::int32 frame, Vst3::ParamID& id, Vst3::ParamValue& value);
    bool TakeWhole(Vst3::IParamValueQueue& queue, Vst3::ParamValue& value) const;

    std::vector<Cursor> mCursors;
    Vst3::IParameterChanges* mChanges = nullptr;
    Vst3::int32 mQueueCount = 0;
    bool mFirstHandOut = true;
};
