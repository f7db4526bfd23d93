#include "tests/graphics_support/RecordingGraphics.h"

RecordingControl::RecordingControl(int paramIndex, const std::vector<int>& auxParams, std::vector<ShownValue>* log)
    : IControl(nullptr, Rect{}, paramIndex), mLog(log)
{
    for (int aux : auxParams)
        AddAuxParam(aux);
}

void RecordingControl::SetValueFromPlug(double normalised)
{
    if (onSet)
        onSet();
    values.push_back(normalised);
    if (mLog)
        mLog->push_back({GetParamIndex(), normalised});
    IControl::SetValueFromPlug(normalised);
}

void RecordingControl::SetAuxParamValueFromPlug(int entry, double normalised)
{
    if (onSet)
        onSet();
    auxValues.push_back({entry, normalised});
    IControl::SetAuxParamValueFromPlug(entry, normalised);
}

RecordingGraphics::~RecordingGraphics()
{
    if (mDeleted)
        *mDeleted = true;
}

RecordingControl& RecordingGraphics::AddRecordingControl(int paramIndex, const std::vector<int>& auxParams)
{
    auto* control = new RecordingControl(paramIndex, auxParams);
    AddControl(control);
    return *control;
}

void RecordingGraphics::BindControlsToParams(int count)
{
    for (int i = 0; i < count; ++i)
        AddControl(new RecordingControl(i, {}, &shownValues));
}
