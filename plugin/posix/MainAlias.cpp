#include "framework/vst2/Vst2Abi.h"

extern "C" AEffect* VSTPluginMain(audioMasterCallback host);

// Older hosts look the entry up as main; in C++ that name belongs to programs, so the
// alias gets it only as its symbol name.
extern "C" AEffect* VstMainAlias(audioMasterCallback host) __asm__("main");

AEffect* VstMainAlias(audioMasterCallback host)
{
    return VSTPluginMain(host);
}
