#include "vst3/IEffectVST3.h"

#include "framework/ScopedLock.h"
#include "vst3/abi/ResultCodes.h"

#include <algorithm>
#include <vector>

namespace
{
constexpr Vst3::int32 kFlagSize = 4;

// Streams may move fewer bytes per call than asked; these keep calling until all bytes have
// moved, and fail on an error or a call that moves nothing.
bool WriteAll(Vst3::IBStream& stream, const uint8_t* bytes, Vst3::int32 count)
{
    while (count > 0)
    {
        Vst3::int32 written = 0;
        // The interface takes a non-const buffer; streams only read it.
        if (stream.write(const_cast<uint8_t*>(bytes), count, &written) != Vst3::kResultOk || written <= 0 ||
            written > count)
            return false;
        bytes += written;
        count -= written;
    }
    return true;
}

bool ReadAll(Vst3::IBStream& stream, uint8_t* bytes, Vst3::int32 count)
{
    while (count > 0)
    {
        Vst3::int32 read = 0;
        if (stream.read(bytes, count, &read) != Vst3::kResultOk || read <= 0 || read > count)
            return false;
        bytes += read;
        count -= read;
    }
    return true;
}

void PutLittleEndian(int32_t value, uint8_t* bytes)
{
    const auto word = static_cast<uint32_t>(value);
    for (int i = 0; i < kFlagSize; ++i)
        bytes[i] = static_cast<uint8_t>(word >> (8 * i));
}

int32_t GetLittleEndian(const uint8_t* bytes)
{
    uint32_t word = 0;
    for (int i = 0; i < kFlagSize; ++i)
        word |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    return static_cast<int32_t>(word);
}
}

Vst3::tresult PLUGIN_API IEffectVST3::getState(Vst3::IBStream* state)
{
    if (!state)
        return Vst3::kInvalidArgument;
    try
    {
        // The plug-in lock is held only while SerializeState copies the state out; the stream,
        // which may be slow, is written without it.
        ScopedLock stateLock(mStateLock);
        StateChunk chunk;
        if (!SerializeState(chunk) || chunk.Size() <= 0)
            return Vst3::kResultFalse;
        uint8_t flag[kFlagSize];
        PutLittleEndian(mBypassed ? 1 : 0, flag);
        if (!WriteAll(*state, chunk.Data(), chunk.Size()) || !WriteAll(*state, flag, kFlagSize))
            return Vst3::kResultFalse;
        return Vst3::kResultOk;
    }
    catch (...)
    {
        return Vst3::kInternalError;
    }
}

Vst3::tresult PLUGIN_API IEffectVST3::setState(Vst3::IBStream* state)
{
    return LoadState(state);
}

// Hosts hand the controller the state they gave the component; loading it again keeps the
// controller's values those of that state even where the host changed them between the calls.
Vst3::tresult PLUGIN_API IEffectVST3::setComponentState(Vst3::IBStream* state)
{
    return LoadState(state);
}

Vst3::tresult IEffectVST3::LoadState(Vst3::IBStream* state)
{
    if (!state)
        return Vst3::kInvalidArgument;
    try
    {
        ScopedLock stateLock(mStateLock);
        // The stream carries no size of its own: the block has the size the plug-in writes.
        StateChunk current;
        if (!SerializeState(current) || current.Size() <= 0)
            return Vst3::kResultFalse;
        const Vst3::int32 blockSize = current.Size();

        // The whole record is read before anything changes, so a short stream changes nothing.
        std::vector<uint8_t> bytes(static_cast<size_t>(blockSize) + kFlagSize);
        if (!ReadAll(*state, bytes.data(), static_cast<Vst3::int32>(bytes.size())))
            return Vst3::kResultFalse;
        StateChunk block;
        if (!block.AppendBytes(bytes.data(), blockSize))
            return Vst3::kResultFalse;
        // The stream was read without the plug-in lock; state and bypass flag change together.
        ScopedLock lock(mLock);
        if (UnserializeState(block, 0) <= 0)
            return Vst3::kResultFalse;
        mBypassed = GetLittleEndian(bytes.data() + blockSize) != 0;
        // A program change the controller made before is no longer what the component holds.
        mControllerPreset = kNoControllerPreset;
        PushAllParamsToGui();
        UpdateHostDisplay();
        return Vst3::kResultOk;
    }
    catch (...)
    {
        return Vst3::kInternalError;
    }
}
