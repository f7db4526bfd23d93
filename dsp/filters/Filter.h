#pragma once

#include "dsp/filters/Complex.h"
#include "dsp/filters/FilterParams.h"
#include "dsp/filters/ParamInfo.h"
#include "dsp/filters/PoleZeroPair.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Dsp {

// A filter design running two channels. Users write entries of params and apply them with
// SetParams; parameters are found by the ids of their records.
class Filter {
public:
    virtual ~Filter() = default;

    virtual int32_t GetKind() const = 0;
    virtual std::string GetName() const = 0;
    virtual int32_t GetNumParams() const = 0;
    // Throws std::logic_error "invalid usage of ParamInfo" for an index outside the design's list.
    virtual ParamInfo GetParamInfo(int index) const = 0;
    virtual std::vector<PoleZeroPair> GetPoleZeroPairs() const = 0;
    // Response of the current design at f cycles per sample (0..0.5).
    virtual Complex Response(double f) const = 0;
    virtual int32_t GetNumChannels() const = 0;
    virtual void Reset() = 0;
    virtual void ProcessDouble(int frames, double* const* channels) = 0;
    virtual void ProcessFloat(int frames, float* const* channels) = 0;
    // ProcessDouble for a filter that nobody hears: the memory moves on exactly as there, and
    // the channels are left holding anything, which spares a design the work that only its
    // output needs.
    virtual void ProcessUnheard(int frames, double* const* channels) { ProcessDouble(frames, channels); }
    // Copies the values into params, then designs for them.
    virtual void SetParams(const FilterParams& values) = 0;
    virtual void SetTransitionLength(int samples) = 0;
    // Puts params in force at once: a glide under way ends on them.
    virtual void FinishGlide() {}

    // The highest index of a parameter with this id, or -1 when the design has none: what a
    // walk over GetParamInfo from the last index down finds, without building the records.
    virtual int FindParamIndex(int32_t id) const = 0;

    // Silent memory has nothing to glide from: a start afresh is on params at once.
    void Restart()
    {
        Reset();
        FinishGlide();
    }

    FilterParams params{};
};

} // namespace Dsp
