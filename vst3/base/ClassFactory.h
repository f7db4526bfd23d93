#pragma once

#include "vst3/abi/IClassFactory.h"
#include "vst3/base/RefCountedObject.h"

#include <vector>

namespace Vst3
{
// A module's class factory: the vendor record and a list of classes, each with its record and
// the function that creates its objects. No exception leaves a host-facing call.
class ClassFactory : public IClassFactory3, public RefCountedObject
{
public:
    // Returns the new object with one reference, or null.
    using CreateFunction = FUnknown* (*)(void* context);

    explicit ClassFactory(const PFactoryInfo& info);

    // False when the class could not be stored.
    bool RegisterClass(const PClassInfo2& info, CreateFunction create, void* context);

    tresult PLUGIN_API queryInterface(const TUID interfaceId, void** object) override;
    uint32 PLUGIN_API addRef() override;
    uint32 PLUGIN_API release() override;

    tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) override;
    int32 PLUGIN_API countClasses() override;
    tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) override;
    tresult PLUGIN_API createInstance(FIDString cid, FIDString interfaceId, void** object) override;
    tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) override;
    tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) override;
    tresult PLUGIN_API setHostContext(FUnknown* context) override;

private:
    struct ClassEntry
    {
        PClassInfo2 info;
        CreateFunction create;
        void* context;
    };

    const ClassEntry* Entry(int32 index) const;
    FUnknown* CreateObject(FIDString cid) const;

    PFactoryInfo mInfo;
    std::vector<ClassEntry> mClasses;
};
}
