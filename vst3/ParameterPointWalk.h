#pragma once

#include "vst3/abi/IParameterChanges.h"

#include <cstddef>
#include <vector>

// Walks the parameter queues of one process call in sample order, so that each point takes
// effect at the frame it is asked for. Its storage is sized once, off the audio thread; a walk
// allocates nothing and only reads the host's queues.
class ParameterPointWalk
{
public:
    // Queues beyond `followedQueues` (a host sends one per changed parameter) are taken whole:
    // their last point, in the first hand-out of the block.
    explicit ParameterPointWalk(size_t followedQueues);

    void Start(Vst3::IParameterChanges* changes);

    // Gives apply(id, value), queue by queue, each queue's latest point at or before `frame`
    // that it has not had yet; true when it gave any. The points passed over meanwhile are
    // dropped, as are points that cannot be read.
    template <typename Apply>
    bool HandOutUpTo(Vst3::int32 frame, Apply&& apply)
    {
        Vst3::ParamID id = 0;
        Vst3::ParamValue value = 0.0;
        bool given = false;
        for (Vst3::int32 queue = 0; queue < mQueueCount; ++queue)
        {
            if (TakeDue(queue, frame, id, value))
            {
                apply(id, value);
                given = true;
            }
        }
        mFirstHandOut = false;
        return given;
    }

    // The frame of the earliest point still to come, or `end` when none comes before it.
    Vst3::int32 NextFrame(Vst3::int32 end) const;

private:
    // A point of a queue as read: its index, frame and value.
    struct Point
    {
        Vst3::int32 index;
        Vst3::int32 frame;
        Vst3::ParamValue value;
    };

    // A followed queue, opened when the walk starts, and its next point not handed out, read
    // ahead (at the point count when none is left).
    struct Cursor
    {
        Vst3::IParamValueQueue* points;
        Vst3::ParamID id;
        Vst3::int32 count;
        Point next;
    };

    bool TakeDue(Vst3::int32 queue, Vst3::int32 frame, Vst3::ParamID& id, Vst3::ParamValue& value);
    void Open(Cursor& cursor, Vst3::int32 queue) const;
    // The latest point at or before `frame`, the cursor's next one being due; the cursor moves past it.
    static Vst3::ParamValue TakeLatestDue(Cursor& cursor, Vst3::int32 frame);
    // The first point from `index` on, before `limit`, that can be read; at `limit` when none can.
    static Point FirstReadable(Vst3::IParamValueQueue& points, Vst3::int32 index, Vst3::int32 limit);
    bool TakeWhole(Vst3::IParamValueQueue& queue, Vst3::ParamValue& value) const;

    std::vector<Cursor> mCursors;
    Vst3::IParameterChanges* mChanges = nullptr;
    Vst3::int32 mQueueCount = 0;
    bool mFirstHandOut = true;
};
