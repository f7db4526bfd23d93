#pragma once
// A host-side object of the tests: answers its one interface and counts references without
// owning itself, so tests can see what the plug-in still holds.

#include "vst3/abi/FUnknown.h"
#include "vst3/abi/ResultCodes.h"

template <class Interface>
class CountedHostObject : public Interface
{
public:
    Vst3::tresult PLUGIN_API queryInterface(const Vst3::TUID interfaceId, void** object) override
    {
        if (!Vst3::FUnknown::kIid.Matches(interfaceId) && !Interface::kIid.Matches(interfaceId))
        {
            *object = nullptr;
            return Vst3::kNoInterface;
        }
        *object = static_cast<Interface*>(this);
        ++references;
        return Vst3::kResultOk;
    }
    Vst3::uint32 PLUGIN_API addRef() override { return ++references; }
    Vst3::uint32 PLUGIN_API release() override { return --references; }

    // The test's own reference counts as 1.
    Vst3::uint32 references = 1;
};
