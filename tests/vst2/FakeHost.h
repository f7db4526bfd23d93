#pragma once
// A host callback that records every call the plug-in makes and answers as configured.

#include "framework/vst2/Vst2Abi.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct HostCall
{
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
};

class FakeHost
{
public:
    FakeHost();
    ~FakeHost();
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    static VstIntPtr Callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                              float opt);

    int CountOf(VstInt32 opcode) const;

    std::string productString;
    VstIntPtr vendorVersion = 0;
    VstIntPtr processLevel = 0;
    VstIntPtr eventsAnswer = 1;
    bool answerTime = false;
    VstTimeInfo timeInfo{};
    // Runs inside the callback, after the call is recorded.
    std::function<void(VstInt32 opcode)> onCall;

    std::vector<HostCall> calls;
    std::vector<AEffect*> callers;
    std::vector<VstMidiEvent> midiEvents;
    std::vector<VstMidiSysexEvent> sysExEvents;
    std::vector<std::vector<uint8_t>> sysExDumps;

private:
    VstIntPtr Answer(VstInt32 opcode, void* ptr);
    void CollectEvents(const VstEvents* events);

    static FakeHost* current_;
};
