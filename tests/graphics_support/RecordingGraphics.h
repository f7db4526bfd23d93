#pragma once

#include "graphics/IControl.h"
#include "tests/graphics_support/HeadlessGraphics.h"

#include <functional>
#include <vector>

// A control that records what the plug-in side sets on it.
class RecordingControl : public IControl
{
public:
    struct AuxCall
    {
        int entry;
        double value;
    };

    struct ShownValue
    {
        int paramIndex;
        double normalised;
    };

    RecordingControl(int paramIndex, const std::vector<int>& auxParams = {}, std::vector<ShownValue>* log = nullptr);

    bool Draw(IGraphics*) override { return true; }
    void SetValueFromPlug(double normalised) override;
    void SetAuxParamValueFromPlug(int entry, double normalised) override;

    std::vector<double> values;
    std::vector<AuxCall> auxValues;
    // Runs inside every set call, to look at the plug-in from there.
    std::function<void()> onSet;

private:
    std::vector<ShownValue>* mLog;
};

// A windowless editor whose controls record the base's calls.
class RecordingGraphics : public HeadlessGraphics
{
public:
    explicit RecordingGraphics(IEffectBase* plug, bool* deleted = nullptr) : HeadlessGraphics(plug), mDeleted(deleted)
    {
    }
    ~RecordingGraphics() override;

    RecordingControl& AddRecordingControl(int paramIndex, const std::vector<int>& auxParams = {});
    // One control bound to each of the first `count` parameters, logging into shownValues.
    void BindControlsToParams(int count);

    // Every value the bound controls received, in the order they arrived.
    std::vector<RecordingControl::ShownValue> shownValues;

private:
    bool* mDeleted;
};
