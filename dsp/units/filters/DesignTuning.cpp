#include "dsp/units/filters/DesignTuning.h"

#include "dsp/filters/Filter.h"
#include "dsp/units/filters/DesignParams.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr double kMinCutoff = 20.0;

// Tried in this order; the first id the design has receives the resonance.
constexpr int32_t kResonanceIds[] = {Dsp::kResonanceId, Dsp::kBandwidthOctavesId, Dsp::kBandwidthHzId,
                                     Dsp::kRippleId};

// The Bessel, Elliptic and Butterworth band pass and band stop types.
constexpr int kNarrowingTypes[] = {11, 12, 15, 16, 29, 30};

bool NarrowsWithResonance(int type)
{
    return std::find(std::begin(kNarrowingTypes), std::end(kNarrowingTypes), type) != std::end(kNarrowingTypes);
}

} // namespace

void SetDesignCutoff(Dsp::Filter* design, double hz)
{
    if (design == nullptr || !std::isfinite(hz))
        return;
    DesignParams::Set(*design, Dsp::kFrequencyId, std::max(hz, kMinCutoff));
}

void SetDesignResonance(Dsp::Filter* design, int type, double r)
{
    if (design == nullptr || !std::isfinite(r))
        return;
    for (int32_t id : kResonanceIds)
    {
        const int index = DesignParams::FindIndex(*design, id);
        if (index < 0)
            continue;
        // The records map beyond their range outside 0..1 (a Q of 2^52 for r = 7).
        double normalised = std::clamp(r, 0.0, 1.0);
        if (NarrowsWithResonance(type))
            normalised = (1.0 - normalised) * 0.5;
        const Dsp::ParamInfo info = design->GetParamInfo(index);
        Dsp::FilterParams values = design->params;
        values[index] = info.fromNormalised(info, normalised);
        design->SetParams(values);
        return;
    }
}
