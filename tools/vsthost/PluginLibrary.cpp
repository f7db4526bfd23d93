#include "tools/vsthost/PluginLibrary.h"

VstPluginMainProc PluginLibrary::FindEntry() const
{
    for (const char* name : {"VSTPluginMain", "main"})
    {
        if (void* symbol = FindSymbol(name))
            return reinterpret_cast<VstPluginMainProc>(symbol);
    }
    return nullptr;
}
