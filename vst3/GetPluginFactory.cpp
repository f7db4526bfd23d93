#include "vst3/ModuleFactory.h"
#include "vst3/Vst3Product.h"
#include "vst3/abi/ModuleEntryPoints.h"

Vst3::IClassFactory* PLUGIN_API GetPluginFactory()
{
    return ModuleFactory::Acquire(&CreateVst3Product);
}
