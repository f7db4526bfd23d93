#pragma once

#include "vst3/abi/IClassFactory.h"

// The functions a VST3 module exports. Windows hosts call InitDll after loading and ExitDll
// before unloading; other platforms call ModuleEntry and ModuleExit with the library handle.
extern "C"
{
Vst3::IClassFactory* PLUGIN_API GetPluginFactory();
#if defined(_WIN32)
bool InitDll();
bool ExitDll();
#else
bool ModuleEntry(void* sharedLibraryHandle);
bool ModuleExit();
#endif
}
