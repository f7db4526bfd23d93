#include "vst3/base/ClassFactory.h"

#include "vst3/abi/ResultCodes.h"
#include "vst3/base/Utf16Text.h"

#include <cstring>

namespace Vst3
{
namespace
{
// The width of the name, vendor and version fields of a class record.
constexpr int32 kDisplayTextSize = 64;
}

ClassFactory::ClassFactory(const PFactoryInfo& info) : mInfo(info)
{
}

bool ClassFactory::RegisterClass(const PClassInfo2& info, CreateFunction create, void* context)
{
    try
    {
        mClasses.push_back({info, create, context});
        return true;
    }
    catch (...)
    {
        return false;
    }
}

tresult PLUGIN_API ClassFactory::queryInterface(const TUID interfaceId, void** object)
{
    if (!object)
        return kInvalidArgument;
    *object = nullptr;
    if (!FUnknown::kIid.Matches(interfaceId) && !IClassFactory::kIid.Matches(interfaceId) &&
        !IClassFactory2::kIid.Matches(interfaceId) && !IClassFactory3::kIid.Matches(interfaceId))
        return kNoInterface;
    // One chain of interfaces: every one of them is this object at the same address.
    *object = static_cast<IClassFactory3*>(this);
    AddReference();
    return kResultOk;
}

uint32 PLUGIN_API ClassFactory::addRef()
{
    return AddReference();
}

uint32 PLUGIN_API ClassFactory::release()
{
    return ReleaseReference();
}

tresult PLUGIN_API ClassFactory::getFactoryInfo(PFactoryInfo* info)
{
    if (!info)
        return kInvalidArgument;
    *info = mInfo;
    return kResultOk;
}

int32 PLUGIN_API ClassFactory::countClasses()
{
    return static_cast<int32>(mClasses.size());
}

const ClassFactory::ClassEntry* ClassFactory::Entry(int32 index) const
{
    if (index < 0 || index >= static_cast<int32>(mClasses.size()))
        return nullptr;
    return &mClasses[static_cast<size_t>(index)];
}

tresult PLUGIN_API ClassFactory::getClassInfo(int32 index, PClassInfo* info)
{
    const ClassEntry* entry = Entry(index);
    if (!info || !entry)
        return kInvalidArgument;
    std::memcpy(info->cid, entry->info.cid, sizeof info->cid);
    info->cardinality = entry->info.cardinality;
    std::memcpy(info->category, entry->info.category, sizeof info->category);
    std::memcpy(info->name, entry->info.name, sizeof info->name);
    return kResultOk;
}

tresult PLUGIN_API ClassFactory::getClassInfo2(int32 index, PClassInfo2* info)
{
    const ClassEntry* entry = Entry(index);
    if (!info || !entry)
        return kInvalidArgument;
    *info = entry->info;
    return kResultOk;
}

tresult PLUGIN_API ClassFactory::getClassInfoUnicode(int32 index, PClassInfoW* info)
{
    const ClassEntry* entry = Entry(index);
    if (!info || !entry)
        return kInvalidArgument;
    const PClassInfo2& narrow = entry->info;
    *info = PClassInfoW{};
    std::memcpy(info->cid, narrow.cid, sizeof info->cid);
    info->cardinality = narrow.cardinality;
    std::memcpy(info->category, narrow.category, sizeof info->category);
    info->classFlags = narrow.classFlags;
    std::memcpy(info->subCategories, narrow.subCategories, sizeof info->subCategories);
    // The narrow fields need not be terminated when they fill their width.
    auto widen = [](const char (&text)[kDisplayTextSize], char16 (&out)[kDisplayTextSize]) {
        char terminated[kDisplayTextSize + 1] = {};
        std::memcpy(terminated, text, kDisplayTextSize);
        WidenText(terminated, out, kDisplayTextSize);
    };
    widen(narrow.name, info->name);
    widen(narrow.vendor, info->vendor);
    widen(narrow.version, info->version);
    widen(narrow.sdkVersion, info->sdkVersion);
    return kResultOk;
}

FUnknown* ClassFactory::CreateObject(FIDString cid) const
{
    for (const ClassEntry& entry : mClasses)
    {
        if (cid && std::memcmp(entry.info.cid, cid, sizeof entry.info.cid) == 0)
            return entry.create ? entry.create(entry.context) : nullptr;
    }
    return nullptr;
}

tresult PLUGIN_API ClassFactory::createInstance(FIDString cid, FIDString interfaceId, void** object)
{
    if (!object)
        return kInvalidArgument;
    *object = nullptr;
    FUnknown* instance = nullptr;
    try
    {
        instance = CreateObject(cid);
    }
    catch (...)
    {
        return kNoInterface;
    }
    if (!instance)
        return kNoInterface;
    // The creation reference is handed over through the interface asked for; when the object
    // does not offer it, this release deletes it.
    const tresult result = instance->queryInterface(interfaceId, object);
    instance->release();
    if (result != kResultOk)
    {
        *object = nullptr;
        return kNoInterface;
    }
    return kResultOk;
}

tresult PLUGIN_API ClassFactory::setHostContext(FUnknown*)
{
    return kNotImplemented;
}
}
