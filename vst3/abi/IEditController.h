#pragma once

#include "vst3/abi/IBStream.h"
#include "vst3/abi/IComponentHandler.h"
#include "vst3/abi/IPlugView.h"
#include "vst3/abi/ILifecycle.h"
#include "vst3/abi/ParameterInfo.h"

namespace Vst3
{
// The controller side: parameters, their texts and conversions, state and the editor view
// (UI thread).
class IEditController : public ILifecycle
{
public:
    static constexpr Uid kIid{0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E};

    virtual tresult PLUGIN_API setComponentState(IBStream* state) = 0;
    virtual tresult PLUGIN_API setState(IBStream* state) = 0;
    virtual tresult PLUGIN_API getState(IBStream* state) = 0;
    virtual int32 PLUGIN_API getParameterCount() = 0;
    virtual tresult PLUGIN_API getParameterInfo(int32 index, ParameterInfo& info) = 0;
    virtual tresult PLUGIN_API getParamStringByValue(ParamID id, ParamValue valueNormalized, String128 string) = 0;
    virtual tresult PLUGIN_API getParamValueByString(ParamID id, char16* string, ParamValue& valueNormalized) = 0;
    virtual ParamValue PLUGIN_API normalizedParamToPlain(ParamID id, ParamValue valueNormalized) = 0;
    virtual ParamValue PLUGIN_API plainParamToNormalized(ParamID id, ParamValue plainValue) = 0;
    virtual ParamValue PLUGIN_API getParamNormalized(ParamID id) = 0;
    virtual tresult PLUGIN_API setParamNormalized(ParamID id, ParamValue value) = 0;
    virtual tresult PLUGIN_API setComponentHandler(IComponentHandler* handler) = 0;
    virtual IPlugView* PLUGIN_API createView(FIDString name) = 0;
};

class IEditController2 : public FUnknown
{
public:
    static constexpr Uid kIid{0x7F4EFE59, 0xF3204967, 0xAC27A3AE, 0xAFB63038};

    virtual tresult PLUGIN_API setKnobMode(int32 mode) = 0;
    virtual tresult PLUGIN_API openHelp(TBool onlyCheck) = 0;
    virtual tresult PLUGIN_API openAboutBox(TBool onlyCheck) = 0;
};
}
