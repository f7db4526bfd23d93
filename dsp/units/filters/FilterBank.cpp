#include "dsp/units/filters/FilterBank.h"

#include "dsp/filters/Bessel/Designs.h"
#include "dsp/filters/Butterworth/Designs.h"
#include "dsp/filters/ChebyshevI/Designs.h"
#include "dsp/filters/DirectFormII.h"
#include "dsp/filters/Elliptic/Designs.h"
#include "dsp/filters/RBJ/BandPass1.h"
#include "dsp/filters/RBJ/BandPass2.h"
#include "dsp/filters/RBJ/BandStop.h"
#include "dsp/filters/RBJ/HighPass.h"
#include "dsp/filters/RBJ/LowPass.h"
#include "dsp/filters/SmoothedFilterDesign.h"
#include "dsp/units/filters/DesignParams.h"
#include "dsp/units/filters/FilterType.h"
#include "dsp/units/filters/UsableSampleRate.h"

#include <iterator>
#include <utility>

namespace
{

template <class DesignClass>
std::unique_ptr<Dsp::Filter> MakeDesign()
{
    return std::make_unique<Dsp::SmoothedFilterDesign<DesignClass, 2, Dsp::DirectFormII>>();
}

using namespace Dsp;

// Designs without an order parameter (the RBJ biquads).
constexpr double kNoOrder = 0.0;

struct BankEntry
{
    std::unique_ptr<Filter> (*make)();
    double order;
};

// The bank's designs in creation order; every walk over the designs keeps it.
const BankEntry kEntries[] = {
    {MakeDesign<RBJ::Design::HighPass>, kNoOrder},
    {MakeDesign<RBJ::Design::LowPass>, kNoOrder},
    {MakeDesign<RBJ::Design::BandPass1>, kNoOrder},
    {MakeDesign<RBJ::Design::BandStop>, kNoOrder},
    {MakeDesign<ChebyshevI::Design::HighPass<4>>, 2.0},
    {MakeDesign<ChebyshevI::Design::LowPass<4>>, 2.0},
    {MakeDesign<ChebyshevI::Design::HighPass<4>>, 4.0},
    {MakeDesign<ChebyshevI::Design::LowPass<4>>, 4.0},
    {MakeDesign<Butterworth::Design::BandPass<2>>, 2.0},
    {MakeDesign<Butterworth::Design::BandStop<2>>, 2.0},
    {MakeDesign<RBJ::Design::BandPass2>, kNoOrder},
    {MakeDesign<Bessel::Design::HighPass<4>>, 2.0},
    {MakeDesign<Bessel::Design::LowPass<4>>, 2.0},
    {MakeDesign<Bessel::Design::BandPass<4>>, 2.0},
    {MakeDesign<Bessel::Design::BandStop<4>>, 2.0},
    {MakeDesign<Elliptic::Design::HighPass<4>>, 2.0},
    {MakeDesign<Elliptic::Design::LowPass<4>>, 2.0},
    {MakeDesign<Elliptic::Design::BandPass<4>>, 2.0},
    {MakeDesign<Elliptic::Design::BandStop<4>>, 2.0},
    {MakeDesign<ChebyshevI::Design::HighPass<4>>, 1.0},
    {MakeDesign<ChebyshevI::Design::LowPass<4>>, 1.0},
    {MakeDesign<ChebyshevI::Design::HighPass<4>>, 3.0},
    {MakeDesign<ChebyshevI::Design::LowPass<4>>, 3.0},
    {MakeDesign<ChebyshevI::Design::HighPass<8>>, 8.0},
    {MakeDesign<ChebyshevI::Design::LowPass<8>>, 8.0},
    {MakeDesign<Butterworth::Design::HighPass<2>>, 2.0},
    {MakeDesign<Butterworth::Design::LowPass<2>>, 2.0},
};
static_assert(std::size(kEntries) == FilterBank::kDesignCount);

constexpr int kRbjLowPassEntry = 1;

// The bank entry that carries the parameters of each filter type.
constexpr int kEntryForType[kFilterTypeCount] = {
    1, 0, 2, 10, 3,     // RBJ
    1, 0, 2, 2,         // state-variable types
    11, 12, 13, 14,     // Bessel
    15, 16, 17, 18,     // Elliptic
    19, 4, 21, 6, 23,   // Chebyshev I high pass, orders 1, 2, 3, 4, 8
    20, 5, 22, 7, 24,   // Chebyshev I low pass, orders 1, 2, 3, 4, 8
    25, 26, 8, 9,       // Butterworth
};

} // namespace

FilterBank::FilterBank() = default;

FilterBank::~FilterBank() = default;

void FilterBank::CreateDesigns()
{
    if (!designs.empty())
        return;
    designs.reserve(kDesignCount);
    // Each design starts on its own order: a glide from the library's default order on its
    // first selection would run together with the cutoff glide and could throw it into a burst.
    for (const BankEntry& entry : kEntries)
    {
        std::unique_ptr<Dsp::Filter> design = entry.make();
        Dsp::FilterParams values = DesignParams::Defaults(*design);
        DesignParams::Write(*design, values, Dsp::kOrderId, entry.order);
        design->SetParams(values);
        designs.push_back(std::move(design));
    }
}

Dsp::Filter* FilterBank::GetDesignForType(int type) const
{
    const int entry = type >= 0 && type < kFilterTypeCount ? kEntryForType[type] : kRbjLowPassEntry;
    return entry < static_cast<int>(designs.size()) ? designs[entry].get() : nullptr;
}

void FilterBank::SetSampleRate(double rate)
{
    if (!IsUsableSampleRate(rate))
        return;
    for (const auto& design : designs)
        DesignParams::Set(*design, Dsp::kSampleRateId, rate);
}

void FilterBank::ResetDesigns()
{
    for (const auto& design : designs)
        design->Restart();
}

bool FilterBank::RunsStateVariable(int type)
{
    return type >= kFilterTypeStateVariableLowPass && type <= kFilterTypeStateVariableBandStop;
}

void FilterBank::ProcessStateVariable(int type, double* const io[2], int n)
{
    switch (type)
    {
    case kFilterTypeStateVariableLowPass:
        stateVariableLowPass.ProcessBlock(io, n);
        break;
    case kFilterTypeStateVariableHighPass:
        stateVariableHighPass.ProcessBlock(io, n);
        break;
    case kFilterTypeStateVariableBandPass:
        stateVariableBandPass.ProcessBlock(io, n);
        break;
    case kFilterTypeStateVariableBandStop:
        stateVariableBandStop.ProcessBlock(io, n);
        break;
    default:
        break;
    }
}

void FilterBank::SetStateVariableSampleRate(double rate)
{
    stateVariableLowPass.SetSampleRate(rate);
    stateVariableHighPass.SetSampleRate(rate);
    stateVariableBandPass.SetSampleRate(rate);
    stateVariableBandStop.SetSampleRate(rate);
}

void FilterBank::SetStateVariableCutoff(double hz)
{
    stateVariableLowPass.SetCutoff(hz);
    stateVariableHighPass.SetCutoff(hz);
    stateVariableBandPass.SetCutoff(hz);
    stateVariableBandStop.SetCutoff(hz);
}

void FilterBank::SetStateVariableResonance(double r)
{
    stateVariableLowPass.SetResonance(r);
    stateVariableHighPass.SetResonance(r);
    stateVariableBandPass.SetResonance(r);
    stateVariableBandStop.SetResonance(r);
}

void FilterBank::ResetStateVariables()
{
    stateVariableLowPass.Reset();
    stateVariableHighPass.Reset();
    stateVariableBandPass.Reset();
    stateVariableBandStop.Reset();
}
