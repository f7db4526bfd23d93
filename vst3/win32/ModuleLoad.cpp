#include "vst3/abi/ModuleEntryPoints.h"

// The DLL entry has already kept the module handle that the editor loads its images from;
// nothing else is prepared at load time.
bool InitDll()
{
    return true;
}

bool ExitDll()
{
    return true;
}
