#include "tests/vst3/RecordingComponentHandler.h"

Vst3::tresult PLUGIN_API RecordingComponentHandler::queryInterface(const Vst3::TUID interfaceId, void** object)
{
    if (Vst3::IRunLoop::kIid.Matches(interfaceId))
        return loop.queryInterface(interfaceId, object);
    return CountedHostObject::queryInterface(interfaceId, object);
}

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

std::vector<Vst3::int32> RecordingComponentHandler::Restarts() const
{
    std::vector<Vst3::int32> restarts;
    for (const Call& call : calls)
        if (call.kind == Kind::Restart)
            restarts.push_back(call.flags);
    return restarts;
}

bool RecordingComponentHandler::AwaitRestart()
{
    const size_t before = Restarts().size();
    return loop.RunUntil([&] { return Restarts().size() > before; });
}
