#pragma once

#include "framework/IEffectBase.h"

#include <string>
#include <vector>

// A plug-in on the base that records, as short texts, what the editor tells the host:
// "begin 3", "automate 3 0.5", "end 3", "context 3".
class RecordingPlug : public IEffectBase
{
public:
    explicit RecordingPlug(int32_t pluginApi = kPluginApiVst2);

    void BeginParamEdit(int index) override;
    void AutomateParam(int index, double normalised) override;
    void EndParamEdit(int index) override;
    void ShowHostContextMenu(int index, int x, int y) override;
    void UpdateHostDisplay() override {}
    int GetSamplePos() override { return 0; }
    double GetTempo() override { return 0.0; }
    void GetTimeSig(int*, int*) override {}
    void GetTimeInfo(HostTimeInfo*) override {}
    void ResizeEditor(int, int) override {}
    bool SendMidiMsg(const MidiMessage*) override { return false; }

    // Gives the editor to the base, which then owns and deletes it.
    template <class Graphics>
    Graphics* Attach(Graphics* graphics)
    {
        AttachEditor(graphics);
        return graphics;
    }

    std::vector<std::string> events;
};
