#pragma once

#include "framework/GrowBuffer.h"

#include <cstdint>
#include <cstring>

// A GrowBuffer of object pointers. Whether the list owns its elements is the owner's
// decision; owners call DeleteAll before the list goes away.
template <class T>
class PointerList
{
public:
    explicit PointerList(int32_t granularity = GrowBuffer::kDefaultGranularity) : mBuffer(granularity) {}

    int32_t Count() const { return mBuffer.Size() / static_cast<int32_t>(sizeof(T*)); }

    T* Get(int32_t index) const
    {
        if (index < 0 || index >= Count())
            return nullptr;
        return Items()[index];
    }

    // False (and nothing stored) when the list could not grow.
    bool Add(T* item)
    {
        if (!Grow())
            return false;
        Items()[Count() - 1] = item;
        return true;
    }

    // Returns the item, or null when the list could not grow.
    T* InsertFirst(T* item) { return InsertAt(item, 0); }

    // Index -1, or one at or past the end, appends; other negative indexes insert first.
    T* InsertAt(T* item, int32_t index)
    {
        const int32_t oldCount = Count();
        if (index == -1 || index >= oldCount)
            return Add(item) ? item : nullptr;
        if (index < 0)
            index = 0;
        if (!Grow())
            return nullptr;
        T** items = Items();
        std::memmove(items + index + 1, items + index, static_cast<size_t>(oldCount - index) * sizeof(T*));
        items[index] = item;
        return item;
    }

    // Deletes the elements from the last to the first; the storage stays for reuse.
    void DeleteAll()
    {
        for (int32_t index = Count() - 1; index >= 0; --index)
        {
            delete Items()[index];
            mBuffer.Resize(static_cast<int64_t>(index) * sizeof(T*), false);
        }
        mBuffer.Resize(0, false);
    }

private:
    bool Grow()
    {
        const int64_t wanted = static_cast<int64_t>(Count() + 1) * sizeof(T*);
        mBuffer.Resize(wanted, false);
        return mBuffer.Size() == wanted;
    }

    T** Items() const { return static_cast<T**>(mBuffer.Data()); }

    GrowBuffer mBuffer;
};
