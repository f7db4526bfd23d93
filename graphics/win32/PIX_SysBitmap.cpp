#include "graphics/win32/PIX_SysBitmap.h"

#include <windows.h>

PIX_SysBitmap::PIX_SysBitmap(int32_t width, int32_t height)
    : mDeviceContext(CreateCompatibleDC(nullptr))
{
    SetSize(width, height);
}

PIX_SysBitmap::~PIX_SysBitmap()
{
    DeleteSection();
    if (mDeviceContext)
        DeleteDC(static_cast<HDC>(mDeviceContext));
}

void PIX_SysBitmap::DeleteSection()
{
    if (mDeviceContext && mPreviousObject)
        SelectObject(static_cast<HDC>(mDeviceContext), static_cast<HGDIOBJ>(mPreviousObject));
    mPreviousObject = nullptr;
    if (mSection)
        DeleteObject(static_cast<HGDIOBJ>(mSection));
    mSection = nullptr;
    mPixels = nullptr;
}

bool PIX_SysBitmap::SetSize(int32_t width, int32_t height)
{
    if (!mDeviceContext)
    {
        mWidth = 0;
        mHeight = 0;
        mPixels = nullptr;
        return false;
    }
    if (width == mWidth && height == mHeight)
        return false;

    mWidth = width;
    mHeight = height;
    if (width > 0 && height > 0 && width <= mRowSpan && height <= mAllocatedHeight && mPixels)
        return true;

    // Rounded up in 64 bits: a width near the int32 limit must not wrap to a small span.
    const int64_t span = (static_cast<int64_t>(width) + 3) & ~int64_t{3};
    mAllocatedHeight = height;
    mRowSpan = span > 0x7FFFFFFF ? 0 : static_cast<int32_t>(span);
    DeleteSection();
    if (span > 0x7FFFFFFF)
    {
        mWidth = 0;
        mHeight = 0;
        return false;
    }
    if (mRowSpan < 1 || height < 1)
        return false;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = mRowSpan;
    info.bmiHeader.biHeight = IsBottomUp() ? height : -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(static_cast<HDC>(mDeviceContext), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section || !bits)
    {
        if (section)
            DeleteObject(section);
        mWidth = 0;
        mHeight = 0;
        mPixels = nullptr;
        mRowSpan = 0;
        mAllocatedHeight = 0;
        return true;
    }
    mSection = section;
    mPixels = static_cast<uint32_t*>(bits);
    mPreviousObject = SelectObject(static_cast<HDC>(mDeviceContext), section);
    return true;
}
