#include "framework/vst2/VstPluginEntry.h"

#include "framework/ProcessLocks.h"
#include "framework/ScopedLock.h"
#include "framework/vst2/IEffectVST.h"

AEffect* VstPluginEntry::Create(ProductFactory factory, audioMasterCallback host) noexcept
{
    IEffectVST* plugin = nullptr;
    try
    {
        ScopedLock lock(InstanceCreationLock());
        plugin = factory(host);
        if (!plugin)
            return nullptr;
        plugin->PrepareForHost();
        return plugin->GetEffect();
    }
    catch (...)
    {
        delete plugin;
        return nullptr;
    }
}
