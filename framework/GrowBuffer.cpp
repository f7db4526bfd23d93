#include "framework/GrowBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

namespace
{
constexpr int64_t kPageSize = 4096;
constexpr int64_t kMaxPageStep = 0x400000;
// The block plus the allocator's own header should fill whole pages.
constexpr int64_t kAllocatorOverhead = 96;
constexpr int64_t kMaxSize = std::numeric_limits<int32_t>::max();
}

GrowBuffer::GrowBuffer(int32_t granularity) : mGranularity(granularity)
{
}

GrowBuffer::~GrowBuffer()
{
    std::free(mData);
}

void* GrowBuffer::Data() const
{
    return mUsed > 0 ? mData : nullptr;
}

int64_t GrowBuffer::NewAllocationSize(int64_t size) const
{
    if (size < 1)
        return 0;
    const int64_t granularity = mGranularity;
    if (granularity < kPageSize)
        return size + std::max(size / 2, granularity);
    const int64_t step = std::clamp(std::max(size / 2, granularity) / kPageSize * kPageSize, kPageSize, kMaxPageStep);
    return (size + kAllocatorOverhead + step) / kPageSize * kPageSize - kAllocatorOverhead;
}

void* GrowBuffer::Resize(int64_t newSize, bool allowShrink)
{
    const int64_t size = std::max<int64_t>(newSize, 0);
    if (size == mUsed)
        return Data();

    const int64_t allocated = mAllocated;
    int64_t lowWaterMark = 0;
    if (allowShrink && size < mUsed)
        lowWaterMark = std::max<int64_t>(1, std::min<int64_t>(allocated - 4 * int64_t{mGranularity}, allocated / 2));

    if (size > allocated || size < lowWaterMark)
    {
        const int64_t newAllocation = NewAllocationSize(size);
        if (newAllocation > kMaxSize)
            return Data();
        if (newAllocation != allocated)
        {
            if (newAllocation <= 0)
            {
                std::free(mData);
                mData = nullptr;
                mAllocated = 0;
                mUsed = 0;
                return nullptr;
            }
            void* block = std::realloc(mData, static_cast<size_t>(newAllocation));
            if (!block)
                return Data();
            mData = block;
            mAllocated = static_cast<int32_t>(newAllocation);
        }
    }
    mUsed = static_cast<int32_t>(size);
    return Data();
}

bool GrowBuffer::Append(const void* bytes, int64_t count)
{
    if (count < 0)
        return false;
    if (count == 0)
        return true;
    const int64_t oldUsed = mUsed;
    Resize(oldUsed + count, true);
    if (mUsed != oldUsed + count)
        return false;
    std::memcpy(static_cast<char*>(mData) + oldUsed, bytes, static_cast<size_t>(count));
    return true;
}

void GrowBuffer::Swap(GrowBuffer& other)
{
    std::swap(mData, other.mData);
    std::swap(mAllocated, other.mAllocated);
    std::swap(mUsed, other.mUsed);
    std::swap(mGranularity, other.mGranularity);
}
