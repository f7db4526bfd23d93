#pragma once

#include "dsp/filters/Filter.h"

#include <cstdint>

// Parameter access of the library designs by record id. Where a design lists an id more
// than once, the highest index counts.
class DesignParams
{
public:
    // -1 when the design has no parameter with this id.
    static int FindIndex(const Dsp::Filter& design, int32_t id);
    // The design's record defaults, not yet applied.
    static Dsp::FilterParams Defaults(const Dsp::Filter& design);
    static void ApplyDefaults(Dsp::Filter& design);
    // Writes the value into a parameter set of the design; nothing when the design lacks the id.
    static void Write(const Dsp::Filter& design, Dsp::FilterParams& values, int32_t id, double value);
    // Writes the value into the design's own parameters and applies them; a design without
    // the id stays as it is.
    static void Set(Dsp::Filter& design, int32_t id, double value);
    // The current value of the id's parameter, or fallback when the design has none.
    static double Get(const Dsp::Filter& design, int32_t id, double fallback);
    // The id's record converts a 0..1 control value; fallback when the design lacks the id.
    static double FromNormalised(const Dsp::Filter& design, int32_t id, double normalised, double fallback);
};
