#pragma once

#include "graphics/PIX_IBitmap.h"

// A bitmap in process memory: rows start on 64-byte boundaries and are padded to a whole
// multiple of four pixels. The buffer grows with 25 % headroom and never shrinks.
class PIX_MemBitmap : public PIX_IBitmap
{
public:
    PIX_MemBitmap() = default;
    ~PIX_MemBitmap() override;
    PIX_MemBitmap(const PIX_MemBitmap&) = delete;
    PIX_MemBitmap& operator=(const PIX_MemBitmap&) = delete;

    uint32_t* GetPixelData() override;
    int32_t GetWidth() override { return mWidth; }
    int32_t GetHeight() override { return mHeight; }
    int32_t GetRowStride() override;
    // False only when the size is unchanged. A size without area, one whose byte count would
    // not fit a signed 32-bit value, or one that cannot be allocated leaves an empty 0 x 0 bitmap.
    bool SetSize(int32_t width, int32_t height) override;

    // Usable bytes of the buffer, without the alignment spare.
    int32_t GetCapacity() const { return mCapacity; }

private:
    void Release();

    unsigned char* mRaw = nullptr;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
    int32_t mCapacity = 0;
    int32_t mRowAlignMask = 3;
};
