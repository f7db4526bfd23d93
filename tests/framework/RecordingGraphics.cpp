#include "tests/framework/RecordingGraphics.h"

#include <utility>

RecordingControl::RecordingControl(int paramIndex, std::vector<int> auxParams)
    : mParamIndex(paramIndex), mAuxParams(std::move(auxParams))
{
}

void RecordingControl::SetValueFromPlug(double normalised)
{
    if (onSet)
        onSet();
    values.push_back(normalised);
}

void RecordingControl::SetAuxParamValueFromPlug(int entry, double normalised)
{
    if (onSet)
        onSet();
    auxValues.push_back({entry, normalised});
}

RecordingGraphics::~RecordingGraphics()
{
    for (RecordingControl* control : mControls)
        delete control;
    if (mDeleted)
        *mDeleted = true;
}

RecordingControl& RecordingGraphics::AddControl(int paramIndex, std::vector<int> auxParams)
{
    mControls.push_back(new RecordingControl(paramIndex, std::move(auxParams)));
    return *mControls.back();
}

void RecordingGraphics::ShowParamValue(int paramIndex, double value, bool normalised)
{
    shownValues.push_back({paramIndex, value, normalised});
}
