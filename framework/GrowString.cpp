#include "framework/GrowString.h"

#include <cstring>
#include <functional>

GrowString::GrowString(int32_t granularity) : mBuffer(granularity)
{
}

const char* GrowString::Get() const
{
    const void* data = mBuffer.Data();
    return data ? static_cast<const char*>(data) : "";
}

void GrowString::Set(const char* text)
{
    SetAt(0, text, text ? static_cast<int32_t>(std::strlen(text)) : 0);
}

void GrowString::SetAt(int32_t position, const char* text, int32_t length)
{
    if (length == 0 && position == 0)
    {
        mBuffer.Resize(1, false);
        if (char* data = static_cast<char*>(mBuffer.Data()))
            data[0] = '\0';
        return;
    }
    if (length < 1 || position < 0 || !text)
        return;

    const int64_t needed = int64_t{position} + length + 1;
    const int64_t oldUsed = mBuffer.Size();
    if (needed > oldUsed)
    {
        const char* oldData = static_cast<const char*>(mBuffer.Data());
        std::less<const char*> before;
        const bool textInside = oldData && !before(text, oldData) && before(text, oldData + oldUsed);
        const int64_t textOffset = textInside ? text - oldData : 0;
        char* data = static_cast<char*>(mBuffer.Resize(needed, false));
        if (mBuffer.Size() < needed)
            return;
        if (textInside)
            text = data + textOffset;
        // A write past the old end leaves a gap; zero it so no stale bytes show.
        if (position > oldUsed)
            std::memset(data + oldUsed, 0, static_cast<size_t>(position - oldUsed));
    }
    char* data = static_cast<char*>(mBuffer.Data());
    std::memmove(data + position, text, static_cast<size_t>(length));
    data[position + length] = '\0';
    mBuffer.Resize(needed, false);
}
