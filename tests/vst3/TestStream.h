#pragma once

#include "tests/vst3/CountedHostObject.h"
#include "vst3/abi/IBStream.h"

#include <cstdint>
#include <limits>
#include <vector>

// A byte stream in memory. Each call moves at most `chunk` bytes, and writing stops with an
// error once `writeBudget` bytes have been written, as a full disk would.
class TestStream : public CountedHostObject<Vst3::IBStream>
{
public:
    static constexpr Vst3::int32 kUnlimited = std::numeric_limits<Vst3::int32>::max();

    explicit TestStream(std::vector<uint8_t> content = {}, Vst3::int32 chunk = kUnlimited)
        : bytes(std::move(content)), mChunk(chunk)
    {
    }

    Vst3::tresult PLUGIN_API read(void* buffer, Vst3::int32 count, Vst3::int32* bytesRead) override;
    Vst3::tresult PLUGIN_API write(void* buffer, Vst3::int32 count, Vst3::int32* bytesWritten) override;
    Vst3::tresult PLUGIN_API seek(Vst3::int64 position, Vst3::int32 mode, Vst3::int64* result) override;
    Vst3::tresult PLUGIN_API tell(Vst3::int64* position) override;

    std::vector<uint8_t> bytes;
    size_t position = 0;
    size_t writeBudget = std::numeric_limits<size_t>::max();

private:
    Vst3::int32 mChunk;
};
