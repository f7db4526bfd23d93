#pragma once

#include "vst3/IEffectVST3.h"

namespace Wezmark
{
// Stands in for the product in the VST3 module until the effect itself is built on the VST3
// binding: 85 parameters and 128 programs, audio passed through by the base's block routine.
class PassThroughEffectVST3 : public IEffectVST3
{
public:
    PassThroughEffectVST3();
};
}
