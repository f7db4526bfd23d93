#include "graphics/PublishedText.h"

#include <algorithm>
#include <cstring>

class PublishedText::Guard
{
public:
    explicit Guard(std::atomic_flag& flag) : mFlag(flag)
    {
        while (mFlag.test_and_set(std::memory_order_acquire))
        {
        }
    }
    ~Guard() { mFlag.clear(std::memory_order_release); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    std::atomic_flag& mFlag;
};

namespace
{
size_t CutLength(const char* text)
{
    return text ? strnlen(text, PublishedText::kCapacity - 1) : 0;
}
}

bool PublishedText::Set(const char* text)
{
    const size_t length = CutLength(text);
    Guard guard(mBusy);
    if (std::strncmp(mText, text ? text : "", length) == 0 && mText[length] == '\0')
        return false;
    if (length > 0)
        std::memcpy(mText, text, length);
    mText[length] = '\0';
    return true;
}

void PublishedText::CopyTo(char* out, int32_t size) const
{
    if (!out || size <= 0)
        return;
    Guard guard(mBusy);
    const size_t length = std::min(std::strlen(mText), static_cast<size_t>(size - 1));
    std::memcpy(out, mText, length);
    out[length] = '\0';
}

bool PublishedText::Equals(const char* text) const
{
    const size_t length = CutLength(text);
    Guard guard(mBusy);
    return std::strncmp(mText, text ? text : "", length) == 0 && mText[length] == '\0';
}

bool PublishedText::IsEmpty() const
{
    Guard guard(mBusy);
    return mText[0] == '\0';
}
