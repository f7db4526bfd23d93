#include "tools/vst3host/ComponentHandler.h"

#include "tools/vst3host/HostObject.h"
#include "tools/vst3host/RunLoop.h"

#include <cstddef>

const ComponentHandlerTable ComponentHandler::kTable = {
    {&ComponentHandler::QueryInterface, &ComponentHandler::AddRef, &ComponentHandler::Release},
    &ComponentHandler::BeginEdit,
    &ComponentHandler::PerformEdit,
    &ComponentHandler::EndEdit,
    &ComponentHandler::RestartComponent,
};

ComponentHandler::ComponentHandler() : table_(&kTable)
{
    static_assert(offsetof(ComponentHandler, table_) == 0);
}

ComResult ComponentHandler::QueryInterface(void* self, const uint8_t* interfaceId, void** object)
{
    RunLoop* loop = static_cast<ComponentHandler*>(self)->runLoop_;
    if (loop && InterfaceIds::Equals(interfaceId, InterfaceIds::kRunLoop))
    {
        return TableOf<UnknownSlots>(loop->Object()).queryInterface(loop->Object(), interfaceId, object);
    }
    return HostObject::QueryInterface(self, static_cast<ComponentHandler*>(self)->references_, InterfaceIds::kComponentHandler, interfaceId,
                                      object);
}

uint32_t ComponentHandler::AddRef(void* self)
{
    return ++static_cast<ComponentHandler*>(self)->references_;
}

uint32_t ComponentHandler::Release(void* self)
{
    return --static_cast<ComponentHandler*>(self)->references_;
}

ComResult ComponentHandler::BeginEdit(void* self, uint32_t id)
{
    static_cast<ComponentHandler*>(self)->edits_.push_back({Edit::Kind::Begin, id, 0.0});
    return kComOk;
}

ComResult ComponentHandler::PerformEdit(void* self, uint32_t id, double value)
{
    static_cast<ComponentHandler*>(self)->edits_.push_back({Edit::Kind::Perform, id, value});
    return kComOk;
}

ComResult ComponentHandler::EndEdit(void* self, uint32_t id)
{
    static_cast<ComponentHandler*>(self)->edits_.push_back({Edit::Kind::End, id, 0.0});
    return kComOk;
}

ComResult ComponentHandler::RestartComponent(void* self, int32_t flags)
{
    auto* handler = static_cast<ComponentHandler*>(self);
    ++handler->restarts_;
    if (!handler->restartsAllowed_)
    {
        ++handler->reentrantRestarts_;
        return kComFalse;
    }
    if (handler->onRestart_)
        handler->onRestart_(flags);
    return kComOk;
}
