#pragma once

#include <windows.h>

// The plug-in file's own module handle, kept by the DLL entry; the editor loads its
// images from this module's resources.
HINSTANCE GetModuleInstance();
void SetModuleInstance(HINSTANCE instance);
