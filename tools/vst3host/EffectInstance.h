#pragma once
// One object of an effect class, created through the module's factory, with the interfaces
// this host uses. A single-component effect answers them all on one object; an effect that
// needs a separate controller object is not supported.

#include "tools/vst3host/ComTables.h"

#include <cstdint>
#include <string>

class EffectInstance
{
public:
    EffectInstance(void* factory, const uint8_t* classId);
    ~EffectInstance();
    EffectInstance(const EffectInstance&) = delete;
    EffectInstance& operator=(const EffectInstance&) = delete;

    bool IsValid() const { return component_ && processor_ && controller_; }
    const std::string& Error() const { return error_; }

    const ComponentTable& Component() const { return TableOf<ComponentTable>(component_); }
    const AudioProcessorTable& Processor() const { return TableOf<AudioProcessorTable>(processor_); }
    const EditControllerTable& Controller() const { return TableOf<EditControllerTable>(controller_); }
    // Null when the effect offers no unit information.
    const UnitInfoTable* Units() const { return units_ ? &TableOf<UnitInfoTable>(units_) : nullptr; }

    void* ComponentObject() const { return component_; }
    void* ProcessorObject() const { return processor_; }
    void* ControllerObject() const { return controller_; }
    void* UnitsObject() const { return units_; }

    // Whether every interface leads back to one identity (the root interface asked of each).
    bool HasOneIdentity() const;
    // Releases every interface; the count that the last release reported (0: the object is gone).
    uint32_t ReleaseAll();

private:
    void* Ask(void* object, const uint8_t* interfaceId) const;

    void* component_ = nullptr;
    void* processor_ = nullptr;
    void* controller_ = nullptr;
    void* units_ = nullptr;
    std::string error_;
};
