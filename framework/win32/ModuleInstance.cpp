#include "framework/win32/ModuleInstance.h"

namespace
{
HINSTANCE gModuleInstance = nullptr;
}

HINSTANCE GetModuleInstance()
{
    return gModuleInstance;
}

void SetModuleInstance(HINSTANCE instance)
{
    gModuleInstance = instance;
}
