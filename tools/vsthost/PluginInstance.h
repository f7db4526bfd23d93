#pragma once
// One plug-in instance as this host drives it: created through the entry point, opened,
// configured, switched on and off, and closed.

#include "framework/vst2/Vst2Abi.h"

#include <cstdint>
#include <string>
#include <vector>

class PluginInstance
{
public:
    PluginInstance(VstPluginMainProc entry, audioMasterCallback host);
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    // Null when the plug-in gave no record or one that is not a VST 2 effect.
    AEffect* Effect() const { return effect_; }
    const std::string& Error() const { return error_; }

    VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f) const;
    // A text request into a zeroed buffer larger than any the interface promises.
    std::string Text(VstInt32 opcode, VstInt32 index = 0) const;
    bool HasFlag(VstInt32 flag) const;

    void Open(double sampleRate, int32_t blockSize);
    void Resume(VstInt32 precision);
    void Suspend();
    // Suspends when needed and closes; the plug-in deletes itself.
    void Close();

    std::vector<uint8_t> GetChunk(bool bank) const;
    bool SetChunk(bool bank, const std::vector<uint8_t>& bytes) const;

private:
    AEffect* effect_ = nullptr;
    bool running_ = false;
    std::string error_;
};
