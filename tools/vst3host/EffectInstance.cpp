#include "tools/vst3host/EffectInstance.h"

#include "tools/vst3host/InterfaceIds.h"

EffectInstance::EffectInstance(void* factory, const uint8_t* classId)
{
    const auto& table = TableOf<PluginFactoryTable>(factory);
    if (table.createInstance(factory, classId, InterfaceIds::kComponent.data(), &component_) != kComOk ||
        !component_)
    {
        component_ = nullptr;
        error_ = "the factory created no component";
        return;
    }
    processor_ = Ask(component_, InterfaceIds::kAudioProcessor.data());
    controller_ = Ask(component_, InterfaceIds::kEditController.data());
    units_ = Ask(component_, InterfaceIds::kUnitInfo.data());
    if (!processor_)
        error_ = "the component is no audio processor";
    else if (!controller_)
        error_ = "the component is not its own edit controller (separate controllers are not supported)";
}

EffectInstance::~EffectInstance()
{
    ReleaseAll();
}

void* EffectInstance::Ask(void* object, const uint8_t* interfaceId) const
{
    void* answer = nullptr;
    if (TableOf<UnknownSlots>(object).queryInterface(object, interfaceId, &answer) != kComOk)
        return nullptr;
    return answer;
}

bool EffectInstance::HasOneIdentity() const
{
    void* identity = nullptr;
    bool same = true;
    for (void* object : {component_, processor_, controller_, units_})
    {
        if (!object)
            continue;
        void* unknown = Ask(object, InterfaceIds::kUnknown.data());
        if (!unknown)
            return false;
        TableOf<UnknownSlots>(unknown).release(unknown);
        if (identity && unknown != identity)
            same = false;
        identity = unknown;
    }
    return same;
}

uint32_t EffectInstance::ReleaseAll()
{
    uint32_t remaining = 0;
    for (void** object : {&units_, &controller_, &processor_, &component_})
    {
        if (!*object)
            continue;
        remaining = TableOf<UnknownSlots>(*object).release(*object);
        *object = nullptr;
    }
    return remaining;
}
