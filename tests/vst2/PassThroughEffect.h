#pragma once

#include "framework/vst2/IEffectVST.h"

namespace Wezmark
{
// The product the binding tests run through the entry point: 85 parameters and 128
// programs on the base, audio passed through unchanged by the base's block routine.
class PassThroughEffect : public IEffectVST
{
public:
    explicit PassThroughEffect(audioMasterCallback hostCallback);
};
}
