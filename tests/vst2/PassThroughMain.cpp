#include "framework/vst2/VstPluginEntry.h"
#include "tests/vst2/PassThroughEffect.h"

namespace
{
IEffectVST* CreateProduct(audioMasterCallback host)
{
    return new Wezmark::PassThroughEffect(host);
}
}

// The binding's tests check the binding, so their entry point builds a product whose audio
// and state are known exactly; the real effect is checked through the plug-in file.
extern "C" AEffect* VSTPluginMain(audioMasterCallback host)
{
    return VstPluginEntry::Create(&CreateProduct, host);
}
