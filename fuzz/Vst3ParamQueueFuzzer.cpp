// The parameter queues of a VST3 process call as a host may fill them: queues for any ids,
// more of them than the effect has parameters, points at any offset (before the block, past
// it, out of order) with any value, some queues unreadable. The call must finish with every
// parameter within its range and a finite output.
#include "fuzz/FuzzedPlugin.h"
#include "tests/plugin/Vst3ProcessRig.h"
#include "tests/vst3/TestParameterChanges.h"
#include "vst3/abi/ResultCodes.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace
{
constexpr int kBlock = 256;
// One point: the queue's id byte, then the offset and the value as the host's raw bytes.
constexpr size_t kPointBytes = 1 + sizeof(Vst3::int32) + sizeof(Vst3::ParamValue);
// Id bytes past the parameters name the binding's own two, then ids the effect does not know.
constexpr uint8_t kBypassByte = 200;
constexpr uint8_t kProgramByte = 201;
constexpr uint8_t kUnreadableFrom = 240;

Vst3::ParamID IdOf(uint8_t byte)
{
    if (byte == kBypassByte)
        return IEffectVST3::kBypassParamId;
    if (byte == kProgramByte)
        return IEffectVST3::kProgramParamId;
    return byte;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Vst3ProcessRig rig(kBlock, 44100.0);
    TestParameterChanges changes;
    for (size_t at = 0; at + kPointBytes <= size; at += kPointBytes)
    {
        Vst3::int32 offset = 0;
        Vst3::ParamValue value = 0.0;
        std::memcpy(&offset, data + at + 1, sizeof offset);
        std::memcpy(&value, data + at + 1 + sizeof offset, sizeof value);
        changes.Add(IdOf(data[at]), value, offset);
        if (data[at] >= kUnreadableFrom)
            changes.Queue(IdOf(data[at])).unreadable = true;
    }
    if (rig.Process(&changes) != Vst3::kResultOk)
        std::abort();
    for (int channel = 0; channel < 2; ++channel)
        for (const double sample : rig.Output(channel))
            if (!std::isfinite(sample))
                std::abort();
    CheckPluginState(rig.plugin);
    return 0;
}
