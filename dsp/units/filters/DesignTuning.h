#pragma once

namespace Dsp
{
class Filter;
}

// The dual filter unit's cutoff and resonance, carried into whichever design a filter type
// selects. Null designs, designs without the parameter and non-finite values change nothing.

// Writes the frequency, raised to at least 20 Hz (the library keeps it below Nyquist).
void SetDesignCutoff(Dsp::Filter* design, double hz);
// Writes a 0..1 resonance into the design's Q, bandwidth or ripple; the band pass and band
// stop types of the prototype families take (1 - r) / 2, so that more resonance narrows the band.
void SetDesignResonance(Dsp::Filter* design, int type, double r);
