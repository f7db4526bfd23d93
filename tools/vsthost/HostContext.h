#pragma once
// The host side of the plug-in's callback: what this host tells a plug-in about itself,
// its transport and its settings, and what it counts of the plug-in's calls.

#include "framework/vst2/Vst2Abi.h"

#include <cstdint>
#include <vector>

class HostContext
{
public:
    // A parameter edit the plug-in reported: begin, a value, or end of a gesture.
    struct Edit
    {
        VstInt32 opcode;
        VstInt32 index;
        float value;
    };

    HostContext(double sampleRate, int32_t blockSize);
    ~HostContext();
    HostContext(const HostContext&) = delete;
    HostContext& operator=(const HostContext&) = delete;

    // The callback handed to plug-ins; it answers for the one context that exists.
    static VstIntPtr Callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                              float opt);

    double SampleRate() const { return sampleRate_; }
    int32_t BlockSize() const { return blockSize_; }

    // Moves the transport on after a block has been rendered.
    void AdvanceTransport(int32_t frames);
    void RewindTransport();

    int32_t AutomationCount() const { return automationCount_; }
    int32_t EventCount() const { return eventCount_; }
    // Every begin-edit, automate and end-edit call in order.
    const std::vector<Edit>& Edits() const { return edits_; }

private:
    VstIntPtr Answer(VstInt32 opcode, VstInt32 index, void* ptr, float opt);
    void UpdateMusicalPosition();

    static HostContext* current_;

    double sampleRate_;
    int32_t blockSize_;
    VstTimeInfo timeInfo_{};
    int32_t automationCount_ = 0;
    int32_t eventCount_ = 0;
    std::vector<Edit> edits_;
};
