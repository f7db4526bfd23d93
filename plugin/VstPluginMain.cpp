#include "framework/vst2/VstPluginEntry.h"
#include "plugin/PassThroughEffect.h"

namespace
{
IEffectVST* CreateProduct(audioMasterCallback host)
{
    return new Wezmark::PassThroughEffect(host);
}
}

extern "C" AEffect* VSTPluginMain(audioMasterCallback host)
{
    return VstPluginEntry::Create(&CreateProduct, host);
}
