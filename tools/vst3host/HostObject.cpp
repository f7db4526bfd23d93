#include "tools/vst3host/HostObject.h"

ComResult HostObject::QueryInterface(void* self, std::atomic<uint32_t>& references, const InterfaceId& own,
                                     const uint8_t* interfaceId, void** object)
{
    if (!object)
        return kComFalse;
    *object = nullptr;
    if (!InterfaceIds::Equals(interfaceId, InterfaceIds::kUnknown) && !InterfaceIds::Equals(interfaceId, own))
        return kComNoInterface;
    *object = self;
    ++references;
    return kComOk;
}
