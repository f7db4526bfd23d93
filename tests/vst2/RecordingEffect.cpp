#include "tests/vst2/RecordingEffect.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

int RecordingEffect::destroyedCount = 0;

RecordingEffect::RecordingEffect(audioMasterCallback host) : IEffectVST(host)
{
    for (int i = 0; i < GetParamCount(); ++i)
        GetParam(i)->InitContinuous("Level", 0.5, 0.0, 1.0, 0.01, "dB", "Test", 1.0);
    GetParam(kParamWithDisplayTexts)->AddDisplayText(0, "Off");
    GetParam(kParamWithDisplayTexts)->AddDisplayText(1, "On");
}

RecordingEffect::~RecordingEffect()
{
    ++destroyedCount;
}

void RecordingEffect::Reset()
{
    ++resetCount;
    if (throwOnReset)
        throw std::runtime_error("reset failed");
}

void RecordingEffect::ParamChanged(int index)
{
    changedParams.push_back(index);
    IEffectVST::ParamChanged(index);
}

bool RecordingEffect::FormatParamText(int index, double value, char* out, size_t size) const
{
    if (index != kParamWithOwnText)
        return false;
    std::snprintf(out, size, "%.0f pc", value * 100.0);
    return true;
}

bool RecordingEffect::ParseParamText(int index, const char* text, double* value) const
{
    int percent = 0;
    char unit[3] = {};
    if (index != kParamWithOwnText || std::sscanf(text, "%d %2s", &percent, unit) != 2 || std::strcmp(unit, "pc") != 0)
        return false;
    *value = percent / 100.0;
    return true;
}

void RecordingEffect::SetActive(bool active)
{
    activeCalls.push_back(active);
}

void RecordingEffect::HandleMidiMessage(const MidiMessage* message)
{
    midiReceived.push_back(*message);
}

void RecordingEffect::HandleSysEx(const SysExMessage* message)
{
    sysExReceived.emplace_back(message->data, message->data + message->size);
}
