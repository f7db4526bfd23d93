#include "vst3/ParameterPointWalk.h"

#include "vst3/abi/ResultCodes.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace
{
// The frame of a cursor's next point once none is left.
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
    for (size_t queue = 0; queue < followed; ++queue)
        Open(mCursors[queue], static_cast<Vst3::int32>(queue));
    mFirstHandOut = true;
}

bool ParameterPointWalk::TakeDue(Vst3::int32 queue, Vst3::int32 frame, Vst3::ParamID& id, Vst3::ParamValue& value)
{
    if (static_cast<size_t>(queue) >= mCursors.size())
    {
        Vst3::IParamValueQueue* points = mFirstHandOut ? mChanges->getParameterData(queue) : nullptr;
        if (!points || !TakeWhole(*points, value))
            return false;
        id = points->getParameterId();
        return true;
    }
    Cursor& cursor = mCursors[static_cast<size_t>(queue)];
    // The host is asked only once the next point is due.
    if (cursor.next.index >= cursor.count || frame < cursor.next.frame)
        return false;
    value = TakeLatestDue(cursor, frame);
    id = cursor.id;
    return true;
}

void ParameterPointWalk::Open(Cursor& cursor, Vst3::int32 queue) const
{
    cursor.points = mChanges->getParameterData(queue);
    cursor.count = cursor.points ? std::max(cursor.points->getPointCount(), 0) : 0;
    cursor.id = cursor.points ? cursor.points->getParameterId() : 0;
    cursor.next = cursor.points ? FirstReadable(*cursor.points, 0, cursor.count) : Point{0, kNoPoint, 0.0};
}

// Points lie in sample order. From the due point the search steps ahead, first by the frames
// to go (a queue with a point at every frame lands on the last due one at once), then in
// doubling steps, never past the last point (which the end of a block reads alone), and halves
// the gap it leaves: a piece reads a few points, not every one it passed.
Vst3::ParamValue ParameterPointWalk::TakeLatestDue(Cursor& cursor, Vst3::int32 frame)
{
    const Vst3::int32 count = cursor.count;
    Point due = cursor.next;
    // The first point known to come after `frame`, or the end.
    Point beyond{count, kNoPoint, 0.0};
    int64_t step = std::max<int64_t>(int64_t{frame} - due.frame, 1);
    int64_t nextStep = 1;
    while (due.index + 1 < count)
    {
        const auto probe = static_cast<Vst3::int32>(std::min<int64_t>(due.index + step, count - 1));
        const Point next = FirstReadable(*cursor.points, probe, count);
        if (next.index == count || next.frame > frame)
        {
            beyond = next;
            break;
        }
        due = next;
        step = nextStep;
        nextStep *= 2;
    }
    while (beyond.index - due.index > 1)
    {
        const Vst3::int32 half = due.index + (beyond.index - due.index) / 2;
        const Point middle = FirstReadable(*cursor.points, half, beyond.index);
        if (middle.index == beyond.index)
            // Only unreadable points lie between: the one beyond stays the next to come.
            beyond.index = half;
        else if (middle.frame > frame)
            beyond = middle;
        else
            due = middle;
    }
    // Unreadable points between the two are skipped: the next one is the point beyond.
    cursor.next = beyond;
    return due.value;
}

ParameterPointWalk::Point ParameterPointWalk::FirstReadable(Vst3::IParamValueQueue& points, Vst3::int32 index,
                                                            Vst3::int32 limit)
{
    for (; index < limit; ++index)
    {
        // Read into locals of their own: read back as one word with the index, a frame the host
        // wrote into the point itself would stall the load.
        Vst3::int32 frame = 0;
        Vst3::ParamValue value = 0.0;
        if (points.getPoint(index, frame, value) == Vst3::kResultOk)
            return {index, frame, value};
    }
    return {limit, kNoPoint, 0.0};
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
        next = std::min(next, mCursors[queue].next.frame);
    return next;
}
