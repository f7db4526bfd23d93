#include "framework/vst2/VstPluginEntry.h"
#include "tests/win/EditorTestEffect.h"

namespace
{
IEffectVST* CreateProduct(audioMasterCallback host)
{
    return new EditorTestEffect(host);
}
}

extern "C" AEffect* VSTPluginMain(audioMasterCallback host)
{
    return VstPluginEntry::Create(&CreateProduct, host);
}
