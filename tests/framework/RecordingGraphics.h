#pragma once

#include "framework/IControl.h"
#include "framework/IGraphics.h"

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

    RecordingControl(int paramIndex, std::vector<int> auxParams = {});

    int GetParamIndex() const override { return mParamIndex; }
    int GetAuxParamCount() const override { return static_cast<int>(mAuxParams.size()); }
    int GetAuxParamIndex(int entry) const override { return mAuxParams[static_cast<size_t>(entry)]; }
    void SetValueFromPlug(double normalised) override;
    void SetAuxParamValueFromPlug(int entry, double normalised) override;

    std::vector<double> values;
    std::vector<AuxCall> auxValues;
    // Runs inside every set call, to look at the plug-in from there.
    std::function<void()> onSet;

private:
    int mParamIndex;
    std::vector<int> mAuxParams;
};

// A graphics object that owns its controls and records the base's calls.
class RecordingGraphics : public IGraphics
{
public:
    struct ShownValue
    {
        int paramIndex;
        double value;
        bool normalised;
    };

    explicit RecordingGraphics(bool* deleted = nullptr) : mDeleted(deleted) {}
    ~RecordingGraphics() override;

    RecordingControl& AddControl(int paramIndex, std::vector<int> auxParams = {});

    void ShowParamValue(int paramIndex, double value, bool normalised) override;
    void CreateDrawBitmap() override { ++drawBitmapsCreated; }
    int GetControlCount() const override { return static_cast<int>(mControls.size()); }
    IControl* GetControl(int index) const override { return mControls[static_cast<size_t>(index)]; }
    void* OpenEditorWindow(void* parentWindow) override { return parentWindow; }
    void CloseEditorWindow() override {}
    int Width() const override { return 650; }
    int Height() const override { return 830; }

    std::vector<ShownValue> shownValues;
    int drawBitmapsCreated = 0;

private:
    std::vector<RecordingControl*> mControls;
    bool* mDeleted;
};
