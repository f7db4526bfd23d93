#include "framework/vst2/VstPluginEntry.h"
#include "plugin/Zarvotone.h"

namespace
{
IEffectVST* CreateProduct(audioMasterCallback host)
{
    return new Zarvotone(host);
}
}

extern "C" AEffect* VSTPluginMain(audioMasterCallback host)
{
    return VstPluginEntry::Create(&CreateProduct, host);
}
