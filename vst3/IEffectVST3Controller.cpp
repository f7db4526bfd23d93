#include "vst3/IEffectVST3.h"

#include "vst3/HostValue.h"
#include "vst3/IEffectParameter.h"
#include "vst3/abi/ResultCodes.h"

Vst3::tresult PLUGIN_API IEffectVST3::getParamStringByValue(Vst3::ParamID id, Vst3::ParamValue valueNormalized,
                                                            Vst3::String128 string)
{
    const IParameter* record = GetParam(static_cast<int>(id));
    double value = 0.0;
    if (!record || !string || !AcceptHostValue(valueNormalized, value))
        return Vst3::kResultFalse;
    IEffectParameter::FormatValue(*record, this, static_cast<int>(id), value, string);
    return Vst3::kResultOk;
}

Vst3::ParamValue PLUGIN_API IEffectVST3::plainParamToNormalized(Vst3::ParamID id, Vst3::ParamValue plainValue)
{
    const IParameter* record = GetParam(static_cast<int>(id));
    return record ? record->NormalizedOf(plainValue) : plainValue;
}

Vst3::ParamValue PLUGIN_API IEffectVST3::getParamNormalized(Vst3::ParamID id)
{
    if (id == kBypassParamId)
        return mBypassed ? 1.0 : 0.0;
    const IParameter* record = GetParam(static_cast<int>(id));
    return record ? record->GetNormalized() : 0.0;
}

Vst3::tresult PLUGIN_API IEffectVST3::setParamNormalized(Vst3::ParamID id, Vst3::ParamValue value)
{
    // The host calls this on its UI thread for the changes it also sends to process.
    double accepted = 0.0;
    if (!AcceptHostValue(value, accepted))
        return Vst3::kResultFalse;
    if (id == kBypassParamId)
    {
        mBypassed = accepted > 0.5;
        return Vst3::kResultOk;
    }
    if (id == kProgramParamId)
        return SelectPresetForController(accepted) ? Vst3::kResultOk : Vst3::kResultFalse;
    IParameter* record = GetParam(static_cast<int>(id));
    if (!record)
        return Vst3::kResultFalse;
    record->SetNormalized(accepted);
    return Vst3::kResultOk;
}

// The preset is loaded here, not when the host's process queue brings the same change: a host
// may save the state before any block runs. Marked first, so that a block running meanwhile
// already knows the point in its queue for this change; the mark holds for that block and the
// next, which is where hosts send the change.
bool IEffectVST3::SelectPresetForController(double normalised)
{
    const int index = PresetIndexForValue(normalised);
    mControllerPreset = ControllerPresetMark{index, mProcessCalls.load() + 1};
    if (!SelectPreset(index))
    {
        mControllerPreset = kNoControllerPreset;
        return false;
    }
    UpdateHostDisplay();
    return true;
}
