#include "vst3/abi/ModuleEntryPoints.h"

// Nothing is prepared at load time and nothing is left to undo at unload.
bool ModuleEntry(void*)
{
    return true;
}

bool ModuleExit()
{
    return true;
}
