#pragma once

#include "framework/IEffectBase.h"

#include <functional>
#include <vector>

// A plug-in on the base with the host side recorded instead of sent.
class TestEffect : public IEffectBase
{
public:
    struct Automation
    {
        int index;
        double normalised;
    };

    TestEffect() : IEffectBase(kPluginApiVst2) {}

    void ParamChanged(int index) override
    {
        IEffectBase::ParamChanged(index);
        changedParams.push_back(index);
    }
    void OnPresetChanged() override { ++presetChanges; }
    void AutomateParam(int index, double normalised) override
    {
        if (onAutomate)
            onAutomate();
        automations.push_back({index, normalised});
    }
    bool SendMidiMsg(const MidiMessage* message) override
    {
        sentMidi.push_back(*message);
        return true;
    }

    void BeginParamEdit(int) override {}
    void EndParamEdit(int) override {}
    void UpdateHostDisplay() override {}
    int GetSamplePos() override { return 0; }
    double GetTempo() override { return 0.0; }
    void GetTimeSig(int*, int*) override {}
    void GetTimeInfo(HostTimeInfo*) override {}
    void ResizeEditor(int, int) override {}

    // Gives every parameter a distinct value inside its range.
    void SetDistinctValues(double offset)
    {
        for (int i = 0; i < GetParamCount(); ++i)
            GetParam(i)->SetPlain(offset + i / 1000.0);
    }

    std::vector<int> changedParams;
    std::vector<Automation> automations;
    std::vector<MidiMessage> sentMidi;
    std::function<void()> onAutomate;
    int presetChanges = 0;
};
