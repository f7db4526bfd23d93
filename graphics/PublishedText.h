#pragma once

#include <atomic>
#include <cstdint>

// A short text that any thread may set and the UI thread reads while drawing. It lives in a
// fixed buffer, so setting it never allocates or frees; a tiny spin guard covers only the
// copy of at most kCapacity bytes, so no side ever waits for the other's work.
class PublishedText
{
public:
    static constexpr int32_t kCapacity = 256;

    PublishedText() = default;
    PublishedText(const PublishedText&) = delete;
    PublishedText& operator=(const PublishedText&) = delete;

    // Null sets "". Longer texts are cut to kCapacity - 1 bytes. True when the text changed.
    bool Set(const char* text);
    // Copies the text into `out` (at most `size` bytes with the terminator).
    void CopyTo(char* out, int32_t size) const;
    bool Equals(const char* text) const;
    bool IsEmpty() const;

private:
    class Guard;

    mutable std::atomic_flag mBusy;
    char mText[kCapacity] = {};
};
