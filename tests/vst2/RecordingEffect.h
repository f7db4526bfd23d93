#pragma once
// A product on the binding that records what the binding asks of it.

#include "framework/vst2/IEffectVST.h"

#include <cstdint>
#include <vector>

class RecordingEffect : public IEffectVST
{
public:
    // Parameter 1 shows "Off" and "On" for the values 0 and 1.
    static constexpr int kParamWithDisplayTexts = 1;

    explicit RecordingEffect(audioMasterCallback host);
    ~RecordingEffect() override;

    static int destroyedCount;

    void Reset() override;
    void ParamChanged(int index) override;
    void SetActive(bool active) override;
    void HandleMidiMessage(const MidiMessage* message) override;
    void HandleSysEx(const SysExMessage* message) override;

    void EnableMidi() { mWantsMidi = true; }
    int32_t HostVersion() const { return mHostVersion; }

    bool throwOnReset = false;
    int resetCount = 0;
    std::vector<int> changedParams;
    std::vector<bool> activeCalls;
    std::vector<MidiMessage> midiReceived;
    std::vector<std::vector<uint8_t>> sysExReceived;
};
