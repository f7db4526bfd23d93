#pragma once

#include "plugin/ParamIndex.h"

// The heaviest ordinary setting, every unit on with 8x oversampling, on anything that takes
// Set(parameter index, normalised value): the bench's case and the tests' alike.
template <class Effect>
void SetEveryUnitOversampled(Effect& effect)
{
    for (int index : {kParamDistortionAmount, kParamPreFilterProcess, kParamShaperAmount, kParamFilterDrive,
                      kParamFilterResonance, kParamInputSaturation, kParamSubBandSaturation, kParamSubBandDistortion,
                      kParamOutputSaturation, kParamAutoMakeUp})
        effect.Set(index, 0.7);
    effect.Set(kParamDistortionType, 22.0 / 80.0);
    effect.Set(kParamQuantization, 0.4);
    effect.Set(kParamSampleRateReduction, 0.8);
    effect.Set(kParamGateLevel, 0.1);
    effect.Set(kParamFilterCutoff, 0.6);
    effect.Set(kParamHqFilter, 1.0);
    effect.Set(kParamOutputSweep, 0.6);
    effect.Set(kParamOversampling, 1.0);
}
