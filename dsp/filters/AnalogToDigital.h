#pragma once

#include "dsp/filters/PoleZeroLayout.h"

namespace Dsp {

// Bilinear maps of an analog prototype layout into a digital layout. Frequencies are
// normalised (cycles per sample); each transform first empties the digital layout.
void AnalogToDigitalLowPass(double fc, const PoleZeroLayout& analog, PoleZeroLayout& digital);
void AnalogToDigitalHighPass(double fc, const PoleZeroLayout& analog, PoleZeroLayout& digital);
void AnalogToDigitalBandPass(double fc, double fw, const PoleZeroLayout& analog, PoleZeroLayout& digital);
void AnalogToDigitalBandStop(double fc, double fw, const PoleZeroLayout& analog, PoleZeroLayout& digital);

} // namespace Dsp
