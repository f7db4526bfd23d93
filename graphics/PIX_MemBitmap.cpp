#include "graphics/PIX_MemBitmap.h"

#include <algorithm>
#include <cstdlib>

namespace
{
constexpr uintptr_t kRowAlignment = 64;
constexpr int64_t kBytesPerPixel = 4;
// Sizes, capacities and the alignment spare all stay within a signed 32-bit byte count.
constexpr int64_t kMaxSize = 0x7FFFFFFF - (kRowAlignment - 1);
}

PIX_MemBitmap::~PIX_MemBitmap()
{
    std::free(mRaw);
}

uint32_t* PIX_MemBitmap::GetPixelData()
{
    if (!mRaw)
        return nullptr;
    const uintptr_t aligned = (reinterpret_cast<uintptr_t>(mRaw) + kRowAlignment - 1) & ~(kRowAlignment - 1);
    return reinterpret_cast<uint32_t*>(aligned);
}

int32_t PIX_MemBitmap::GetRowStride()
{
    return (mWidth + mRowAlignMask) & ~mRowAlignMask;
}

void PIX_MemBitmap::Release()
{
    std::free(mRaw);
    mRaw = nullptr;
    mCapacity = 0;
    mWidth = 0;
    mHeight = 0;
}

bool PIX_MemBitmap::SetSize(int32_t width, int32_t height)
{
    if (width == mWidth && height == mHeight)
        return false;

    // In 64 bits, so that a huge size is refused rather than wrapped into a small buffer.
    const int64_t stride = (static_cast<int64_t>(width) + mRowAlignMask) & ~static_cast<int64_t>(mRowAlignMask);
    const int64_t needed = stride * height * kBytesPerPixel;
    if (width < 1 || height < 1 || needed <= 0 || needed > kMaxSize)
    {
        Release();
        return true;
    }

    mWidth = width;
    mHeight = height;
    const auto neededBytes = static_cast<int32_t>(needed);
    if (!mRaw)
    {
        mCapacity = neededBytes;
        mRaw = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(neededBytes) + kRowAlignment - 1));
    }
    else if (neededBytes > mCapacity)
    {
        const auto grown = static_cast<int32_t>(std::min<int64_t>(needed + needed / 4, kMaxSize));
        if (void* moved = std::realloc(mRaw, static_cast<size_t>(grown) + kRowAlignment - 1))
        {
            mRaw = static_cast<unsigned char*>(moved);
            mCapacity = grown;
        }
        else
        {
            std::free(mRaw);
            mCapacity = neededBytes;
            mRaw = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(neededBytes) + kRowAlignment - 1));
        }
    }
    if (!mRaw)
        Release();
    return true;
}
