#pragma once

#include "dsp/units/filters/StateVariableFilter.h"

#include <memory>
#include <vector>

namespace Dsp
{
class Filter;
}

// Every filter that one slot of the dual filter unit can be: 27 smoothed library designs,
// built once, and four state-variable filters. A type change only selects another member.
class FilterBank
{
public:
    static constexpr int kDesignCount = 27;

    FilterBank();
    FilterBank(const FilterBank&) = delete;
    FilterBank& operator=(const FilterBank&) = delete;
    ~FilterBank();

    // Creates the designs with their starting parameters; once, before any other use.
    void CreateDesigns();
    // The design that carries a type's parameters; types outside 0..30 give the RBJ low pass.
    // Null before CreateDesigns.
    Dsp::Filter* GetDesignForType(int type) const;
    // The sample rate of every design; the state-variable filters are set separately.
    void SetSampleRate(double rate);
    // Clears the memory of every design.
    void ResetDesigns();

    // Types 5 to 8 run a state-variable filter instead of their design.
    static bool RunsStateVariable(int type);
    void ProcessStateVariable(int type, double* const io[2], int n);
    void SetStateVariableSampleRate(double rate);
    void SetStateVariableCutoff(double hz);
    void SetStateVariableResonance(double r);
    void ResetStateVariables();

    // In creation order; every walk over the designs uses it.
    std::vector<std::unique_ptr<Dsp::Filter>> designs;
    Wezmark::StateVariableFilter<Wezmark::kStateVariableLowPass, 2> stateVariableLowPass;
    Wezmark::StateVariableFilter<Wezmark::kStateVariableHighPass, 2> stateVariableHighPass;
    Wezmark::StateVariableFilter<Wezmark::kStateVariableBandPass, 2> stateVariableBandPass;
    Wezmark::StateVariableFilter<Wezmark::kStateVariableBandStop, 2> stateVariableBandStop;
};
