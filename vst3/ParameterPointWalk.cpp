#include "vst3/ParameterPointWalk.h"

#include "vst3/abi/ResultCodes.h"

#include <algorithm>
#include <limits>

namespace
{
constexpr Vst3::int32 kUnread = std::numeric_limits<Vst3::int32>::min();
constexpr Vst3::int32 kNoPoint = std::numeric_limits<Vst3::int32>::max();
}

ParameterPointWalk::ParameterPointWalk(size_t followedQueues) : mCursors(followedQueues)
{
}

void ParameterPointWalk::Start(Vst3::IParameterChanges* changes)
{
    mChanges = changes;
    mQueueCount = changes ? std::max(changes->getParameterCount(), 0) : 0;
    const size_t followed = std::min(mCursors.size(), static_cast<size_t>(mQueueCount));
    std::fill_n(mCursors.begin(), followed, Cursor{0, kUnread});
    mFirstHandOut = true;
}

bool ParameterPointWalk::TakeDue(Vst3::int32 queue, Vst3::int32 frame, Vst3::ParamID& id, Vst3::ParamValue& value)
{
    const bool followed = static_cast<size_t>(queue) < mCursors.size();
    if (!followed && !mFirstHandOut)
        return false;
    // Asking the host is only needed once the next point is due.
    if (followed && frame < mCursors[static_cast<size_t>(queue)].frame)
        return false;
    Vst3::IParamValueQueue* points = mChanges->getParameterData(queue);
    if (!points)
    {
        if (followed)
            mCursors[static_cast<size_t>(queue)].frame = kNoPoint;
        return false;
    }
    bool found = false;
    if (!followed)
    {
        found = TakeWhole(*points, value);
    }
    else
    {
        Cursor& cursor = mCursors[static_cast<size_t>(queue)];
        const Vst3::int32 count = points->getPointCount();
        cursor.frame = kNoPoint;
        for (; cursor.point < count; ++cursor.point)
        {
            Vst3::int32 offset = 0;
            Vst3::ParamValue pointValue = 0.0;
            if (points->getPoint(cursor.point, offset, pointValue) != Vst3::kResultOk)
                continue;
            if (offset > frame)
            {
                cursor.frame = offset;
                break;
            }
            value = pointValue;
            found = true;
        }
    }
    if (found)
        id = points->getParameterId();
    return found;
}

bool ParameterPointWalk::TakeWhole(Vst3::IParamValueQueue& queue, Vst3::ParamValue& value) const
{
    Vst3::int32 offset = 0;
    const Vst3::int32 last = queue.getPointCount() - 1;
    return last >= 0 && queue.getPoint(last, offset, value) == Vst3::kResultOk;
}

Vst3::int32 ParameterPointWalk::NextFrame(Vst3::int32 end) const
{
    const size_t followed = std::min(mCursors.size(), static_cast<size_t>(mQueueCount));
    Vst3::int32 next = end;
    for (size_t queue = 0; queue < followed; ++queue)
        next = std::min(next, mCursors[queue].frame);
    return next;
}
