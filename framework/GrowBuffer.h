#pragma once

#include <cstdint>

// A heap block with an allocated size, a used (logical) size and a growth granularity.
// Growth rounds the block plus the allocator's overhead up to whole pages, so appending
// one element at a time reallocates rarely. Sizes are checked in 64 bits: a size that
// cannot be represented is an allocation failure, which keeps the old block and size.
class GrowBuffer
{
public:
    static constexpr int32_t kDefaultGranularity = 4096;

    explicit GrowBuffer(int32_t granularity = kDefaultGranularity);
    ~GrowBuffer();
    GrowBuffer(const GrowBuffer&) = delete;
    GrowBuffer& operator=(const GrowBuffer&) = delete;

    // Returns the data pointer when the resulting used size is above 0, else null.
    void* Resize(int64_t newSize, bool allowShrink);

    // Appends the bytes at the end; false (and nothing changes) when the block cannot grow.
    bool Append(const void* bytes, int64_t count);

    // Exchanges the blocks of two buffers without copying.
    void Swap(GrowBuffer& other);

    // Null while the used size is 0.
    void* Data() const;
    int32_t Size() const { return mUsed; }
    int32_t Allocated() const { return mAllocated; }

private:
    int64_t NewAllocationSize(int64_t size) const;

    void* mData = nullptr;
    int32_t mAllocated = 0;
    int32_t mUsed = 0;
    int32_t mGranularity;
};
