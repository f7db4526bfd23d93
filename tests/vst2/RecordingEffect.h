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
    // Parameter 2 has the product's own text: "50 pc" for 0.5, read back from the same.
    static constexpr int kParamWithOwnText = 2;

    explicit RecordingEffect(audioMasterCallback host);
    ~RecordingEffect() override;

    static int destroyedCount;

    void Reset() override;
    void ParamChanged(int index) override;
    void SetActive(bool active) override;
    void HandleMidiMessage(const MidiMessage* message) override;
    void HandleSysEx(const SysExMessage* message) override;
    bool FormatParamText(int index, double value, char* out, size_t size) const override;
    bool ParseParamText(int index, const char* text, double* value) const override;

    void EnableMidi() { mWantsMidi = true; }
    int32_t HostVersion() const { return mHostVersion; }

    bool throwOnReset = false;
    int resetCount = 0;
    std::vector<int> changedParams;
    std::vector<bool> activeCalls;
    std::vector<MidiMessage> midiReceived;
    std::vector<std::vector<uint8_t>> sysExReceived;
};
