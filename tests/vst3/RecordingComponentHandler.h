#pragma once

#include "tests/vst3/CountedHostObject.h"
#include "tests/vst3/UiRunLoop.h"
#include "vst3/abi/IComponentHandler.h"

#include <vector>

// A component handler that records every call in order, and offers the UI thread's run loop.
class RecordingComponentHandler : public CountedHostObject<Vst3::IComponentHandler>
{
public:
    Vst3::tresult PLUGIN_API queryInterface(const Vst3::TUID interfaceId, void** object) override;
    enum class Kind
    {
        Begin,
        Perform,
        End,
        Restart
    };

    struct Call
    {
        Kind kind;
        Vst3::ParamID id;
        double value;
        Vst3::int32 flags;
    };

    Vst3::tresult PLUGIN_API beginEdit(Vst3::ParamID id) override;
    Vst3::tresult PLUGIN_API performEdit(Vst3::ParamID id, Vst3::ParamValue value) override;
    Vst3::tresult PLUGIN_API endEdit(Vst3::ParamID id) override;
    Vst3::tresult PLUGIN_API restartComponent(Vst3::int32 flags) override;

    // The restart requests received so far.
    std::vector<Vst3::int32> Restarts() const;
    // Turns the run loop until a restart arrives; false when none did.
    bool AwaitRestart();

    std::vector<Call> calls;
    UiRunLoop loop;
};
