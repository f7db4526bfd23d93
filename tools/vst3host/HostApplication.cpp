#include "tools/vst3host/HostApplication.h"

#include "tools/vst3host/HostObject.h"

#include <cstddef>

const HostApplicationTable HostApplication::kTable = {
    {&HostApplication::QueryInterface, &HostApplication::AddRef, &HostApplication::Release},
    &HostApplication::GetName,
    &HostApplication::CreateInstance,
};

HostApplication::HostApplication() : table_(&kTable)
{
    static_assert(offsetof(HostApplication, table_) == 0);
}

ComResult HostApplication::QueryInterface(void* self, const uint8_t* interfaceId, void** object)
{
    return HostObject::QueryInterface(self, static_cast<HostApplication*>(self)->references_, InterfaceIds::kHostApplication, interfaceId,
                                      object);
}

uint32_t HostApplication::AddRef(void* self)
{
    return ++static_cast<HostApplication*>(self)->references_;
}

uint32_t HostApplication::Release(void* self)
{
    return --static_cast<HostApplication*>(self)->references_;
}

ComResult HostApplication::GetName(void*, char16_t* name)
{
    if (!name)
        return kComFalse;
    size_t i = 0;
    for (; kName[i] != '\0'; ++i)
        name[i] = static_cast<char16_t>(kName[i]);
    name[i] = u'\0';
    return kComOk;
}

ComResult HostApplication::CreateInstance(void*, uint8_t*, uint8_t*, void** object)
{
    if (object)
        *object = nullptr;
    return kComNoInterface;
}
