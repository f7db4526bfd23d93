#pragma once

#include "vst3/abi/FUnknown.h"
#include "vst3/abi/FactoryRecords.h"

namespace Vst3
{
// What a module's GetPluginFactory returns: its vendor and the classes it can create.
class IClassFactory : public FUnknown
{
public:
    static constexpr Uid kIid{0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F};

    virtual tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) = 0;
    virtual int32 PLUGIN_API countClasses() = 0;
    virtual tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) = 0;
    // Creates a class's object and answers it for the interface id; null and kNoInterface on failure.
    virtual tresult PLUGIN_API createInstance(FIDString cid, FIDString interfaceId, void** object) = 0;
};

class IClassFactory2 : public IClassFactory
{
public:
    static constexpr Uid kIid{0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB};

    virtual tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) = 0;
};

class IClassFactory3 : public IClassFactory2
{
public:
    static constexpr Uid kIid{0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931};

    virtual tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) = 0;
    virtual tresult PLUGIN_API setHostContext(FUnknown* context) = 0;
};
}
