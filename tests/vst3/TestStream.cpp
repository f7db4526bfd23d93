#include "tests/vst3/TestStream.h"

#include <algorithm>
#include <cstring>

Vst3::tresult PLUGIN_API TestStream::read(void* buffer, Vst3::int32 count, Vst3::int32* bytesRead)
{
    const size_t moved = std::min({static_cast<size_t>(std::max(count, 0)), bytes.size() - position,
                                   static_cast<size_t>(mChunk)});
    if (moved > 0)
        std::memcpy(buffer, bytes.data() + position, moved);
    position += moved;
    *bytesRead = static_cast<Vst3::int32>(moved);
    return Vst3::kResultOk;
}

Vst3::tresult PLUGIN_API TestStream::write(void* buffer, Vst3::int32 count, Vst3::int32* bytesWritten)
{
    const size_t moved = std::min({static_cast<size_t>(std::max(count, 0)), writeBudget, static_cast<size_t>(mChunk)});
    if (moved == 0 && count > 0)
        return Vst3::kResultFalse;
    writeBudget -= moved;
    const auto* source = static_cast<const uint8_t*>(buffer);
    bytes.insert(bytes.end(), source, source + moved);
    position = bytes.size();
    *bytesWritten = static_cast<Vst3::int32>(moved);
    return Vst3::kResultOk;
}

Vst3::tresult PLUGIN_API TestStream::seek(Vst3::int64 target, Vst3::int32, Vst3::int64* result)
{
    position = std::min(static_cast<size_t>(std::max<Vst3::int64>(target, 0)), bytes.size());
    if (result)
        *result = static_cast<Vst3::int64>(position);
    return Vst3::kResultOk;
}

Vst3::tresult PLUGIN_API TestStream::tell(Vst3::int64* result)
{
    *result = static_cast<Vst3::int64>(position);
    return Vst3::kResultOk;
}
