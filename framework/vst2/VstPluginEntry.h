#pragma once

#include "framework/vst2/Vst2Abi.h"

class IEffectVST;

// What the exported VSTPluginMain does for any product built on IEffectVST.
class VstPluginEntry
{
public:
    using ProductFactory = IEffectVST* (*)(audioMasterCallback host);

    // Builds one instance under the process-wide creation lock and returns its effect
    // record; null when construction fails. No exception leaves it.
    static AEffect* Create(ProductFactory factory, audioMasterCallback host) noexcept;
};
