#pragma once

#include "vst3/abi/FUnknown.h"

namespace Vst3
{
// A host's byte stream for state; a call may move fewer bytes than asked.
class IBStream : public FUnknown
{
public:
    static constexpr Uid kIid{0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B};

    virtual tresult PLUGIN_API read(void* buffer, int32 count, int32* bytesRead) = 0;
    virtual tresult PLUGIN_API write(void* buffer, int32 count, int32* bytesWritten) = 0;
    virtual tresult PLUGIN_API seek(int64 position, int32 mode, int64* result) = 0;
    virtual tresult PLUGIN_API tell(int64* position) = 0;
};
}
