#pragma once

#include "graphics/PIX_IBitmap.h"

// A DIB section selected into a memory device context of its own, so GDI can draw text into
// it and copy it to a window. It keeps its allocation while a new size fits inside it.
class PIX_SysBitmap : public PIX_IBitmap
{
public:
    PIX_SysBitmap(int32_t width, int32_t height);
    ~PIX_SysBitmap() override;
    PIX_SysBitmap(const PIX_SysBitmap&) = delete;
    PIX_SysBitmap& operator=(const PIX_SysBitmap&) = delete;

    uint32_t* GetPixelData() override { return mPixels; }
    int32_t GetWidth() override { return mWidth; }
    int32_t GetHeight() override { return mHeight; }
    int32_t GetRowStride() override { return mRowSpan; }
    bool SetSize(int32_t width, int32_t height) override;
    // The HDC, as an opaque handle so that portable code can pass it on.
    void* GetDeviceContext() override { return mDeviceContext; }

private:
    void DeleteSection();

    int32_t mWidth = 0;
    int32_t mHeight = 0;
    void* mDeviceContext = nullptr;
    uint32_t* mPixels = nullptr;
    int32_t mRowSpan = 0;
    int32_t mAllocatedHeight = 0;
    void* mSection = nullptr;
    void* mPreviousObject = nullptr;
};
