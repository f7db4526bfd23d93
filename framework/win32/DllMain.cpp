#include "framework/win32/ModuleInstance.h"

// Whatever the reason for the call, only the module handle is of interest.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID)
{
    SetModuleInstance(instance);
    return TRUE;
}
