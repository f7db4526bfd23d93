#include "tests/vst3/RecordingComponentHandler.h"

Vst3::tresult PLUGIN_API RecordingComponentHandler::beginEdit(Vst3::ParamID id)
{
    calls.push_back({Kind::Begin, id, 0.0, 0});
    return Vst3::kResultOk;
}

Vst3::tresult PLUGIN_API RecordingComponentHandler::performEdit(Vst3::ParamID id, Vst3::ParamValue value)
{
    calls.push_back({Kind::Perform, id, value, 0});
    return Vst3::kResultOk;
}

Vst3::tresult PLUGIN_API RecordingComponentHandler::endEdit(Vst3::ParamID id)
{
    calls.push_back({Kind::End, id, 0.0, 0});
    return Vst3::kResultOk;
}

Vst3::tresult PLUGIN_API RecordingComponentHandler::restartComponent(Vst3::int32 flags)
{
    calls.push_back({Kind::Restart, 0, 0.0, flags});
    return Vst3::kResultOk;
}
