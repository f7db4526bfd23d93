#include "tools/vsthost/PluginInstance.h"

#include "framework/vst2/Vst2Constants.h"

#include <array>

namespace
{
constexpr size_t kTextBufferSize = 256;
constexpr VstInt32 kBankChunk = 0;
constexpr VstInt32 kProgramChunk = 1;
}

PluginInstance::PluginInstance(VstPluginMainProc entry, audioMasterCallback host)
{
    AEffect* effect = entry ? entry(host) : nullptr;
    if (!effect)
        error_ = "the plug-in created no effect";
    else if (effect->magic != kEffectMagic)
        error_ = "the plug-in's record is not a VST 2 effect";
    else
        effect_ = effect;
}

PluginInstance::~PluginInstance()
{
    Close();
}

VstIntPtr PluginInstance::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) const
{
    return effect_ ? effect_->dispatcher(effect_, opcode, index, value, ptr, opt) : 0;
}

std::string PluginInstance::Text(VstInt32 opcode, VstInt32 index) const
{
    std::array<char, kTextBufferSize> buffer{};
    Dispatch(opcode, index, 0, buffer.data());
    buffer.back() = '\0';
    return buffer.data();
}

bool PluginInstance::HasFlag(VstInt32 flag) const
{
    return effect_ && (effect_->flags & flag) != 0;
}

void PluginInstance::Open(double sampleRate, int32_t blockSize)
{
    Dispatch(effOpen);
    Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    Dispatch(effSetBlockSize, 0, blockSize);
}

void PluginInstance::Resume(VstInt32 precision)
{
    Suspend();
    // The precision may only change while the plug-in is switched off.
    Dispatch(effSetProcessPrecision, 0, precision);
    Dispatch(effMainsChanged, 0, 1);
    Dispatch(effStartProcess);
    running_ = true;
}

void PluginInstance::Suspend()
{
    if (!running_)
        return;
    Dispatch(effStopProcess);
    Dispatch(effMainsChanged, 0, 0);
    running_ = false;
}

void PluginInstance::Close()
{
    if (!effect_)
        return;
    Suspend();
    Dispatch(effClose);
    effect_ = nullptr;
}

std::vector<uint8_t> PluginInstance::GetChunk(bool bank) const
{
    void* data = nullptr;
    const VstIntPtr size = Dispatch(effGetChunk, bank ? kBankChunk : kProgramChunk, 0, &data);
    if (size <= 0 || !data)
        return {};
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

bool PluginInstance::SetChunk(bool bank, const std::vector<uint8_t>& bytes) const
{
    std::vector<uint8_t> copy = bytes;
    return Dispatch(effSetChunk, bank ? kBankChunk : kProgramChunk, static_cast<VstIntPtr>(copy.size()),
                    copy.data()) != 0;
}
