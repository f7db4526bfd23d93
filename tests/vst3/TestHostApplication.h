#pragma once

#include "tests/vst3/CountedHostObject.h"
#include "vst3/abi/IHostApplication.h"

#include <string>

// A host context that tells its name.
class TestHostApplication : public CountedHostObject<Vst3::IHostApplication>
{
public:
    explicit TestHostApplication(std::u16string name = u"Test Host") : mName(std::move(name)) {}

    Vst3::tresult PLUGIN_API getName(Vst3::String128 name) override;
    Vst3::tresult PLUGIN_API createInstance(Vst3::TUID, Vst3::TUID, void** object) override;

private:
    std::u16string mName;
};
