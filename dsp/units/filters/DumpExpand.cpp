#include "dsp/units/filters/DumpExpand.h"

#include "dsp/filters/ChebyshevI/Designs.h"
#include "dsp/filters/DirectFormI.h"
#include "dsp/filters/ParamRecords.h"
#include "dsp/filters/SmoothedFilterDesign.h"
#include "dsp/units/filters/DesignParams.h"
#include "dsp/units/filters/UsableSampleRate.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Wezmark
{

namespace
{

constexpr double kLowestCutoff = 20.0;
constexpr double kHighestCutoff = 21000.0;
// Up to this rate the cutoffs are kept to 20..21000 Hz; above it the full 10..22040 Hz apply.
constexpr double kClampedRateLimit = 44100.0;

// The first parameter set is the design's own: gliding there from the library defaults
// (2000 Hz, order 2) on the first block threw the order-4 pair into a loud burst.
template <class DesignClass>
std::unique_ptr<Dsp::Filter> MakeDesign(double order, double hz)
{
    auto design = std::make_unique<Dsp::SmoothedFilterDesign<DesignClass, 2, Dsp::DirectFormI>>();
    Dsp::FilterParams values = DesignParams::Defaults(*design);
    DesignParams::Write(*design, values, Dsp::kOrderId, order);
    DesignParams::Write(*design, values, Dsp::kFrequencyId, hz);
    design->SetParams(values);
    return design;
}

} // namespace

DumpExpand::DumpExpand()
{
    Init();
    SetBlockSize(kInitialFrames);
    SetAmount(kNeutralAmount);
}

DumpExpand::~DumpExpand() = default;

void DumpExpand::Init()
{
    using Dsp::ChebyshevI::Design::HighPass;
    using Dsp::ChebyshevI::Design::LowPass;
    highPass2 = MakeDesign<HighPass<4>>(2.0, kLowestCutoff);
    lowPass2 = MakeDesign<LowPass<4>>(2.0, kHighestCutoff);
    highPass4 = MakeDesign<HighPass<4>>(4.0, kLowestCutoff);
    lowPass4 = MakeDesign<LowPass<4>>(4.0, kHighestCutoff);
    ResetDesigns();
}

void DumpExpand::SetSampleRate(double rate)
{
    if (!IsUsableSampleRate(rate))
        return;
    AudioProcessingUnit::SetSampleRate(rate);
    for (Dsp::Filter* design : {highPass2.get(), lowPass2.get(), highPass4.get(), lowPass4.get()})
        DesignParams::Set(*design, Dsp::kSampleRateId, rate);
    // The cutoff clamp depends on the rate: a rate change must not leave a stale cutoff.
    SetAmount(amount);
}

void DumpExpand::SetAmount(double a)
{
    if (std::isnan(a))
        return;
    amount = std::clamp(a, 0.0, 1.0);
    const double lowControl = std::clamp(2.0 * amount, 0.0, 1.0);
    const double highControl = std::clamp(2.0 * amount - 1.0, 0.0, 1.0);
    const Dsp::ParamInfo frequency = Dsp::FrequencyRecord(Dsp::kCutoffFrequencyName);
    const auto cutoff = [&](double control) {
        const double hz = frequency.fromNormalised(frequency, control);
        return sampleRate <= kClampedRateLimit ? std::clamp(hz, kLowestCutoff, kHighestCutoff) : hz;
    };
    DesignParams::Set(*highPass2, Dsp::kFrequencyId, cutoff(highControl));
    DesignParams::Set(*lowPass2, Dsp::kFrequencyId, cutoff(lowControl));
    DesignParams::Set(*highPass4, Dsp::kFrequencyId, cutoff(highControl));
    DesignParams::Set(*lowPass4, Dsp::kFrequencyId, cutoff(lowControl));
}

double DumpExpand::GetAmount() const
{
    if (std::isnan(amount))
        return 0.0;
    const Dsp::Filter& moving = amount < kNeutralAmount ? ActiveLowPass() : ActiveHighPass();
    return DesignParams::Get(moving, Dsp::kFrequencyId, 0.0);
}

void DumpExpand::SetBlockSize(int32_t frames)
{
    ResizeChannelPair(dry, frames);
    ResizeChannelPair(work, frames);
}

void DumpExpand::ResetDesigns()
{
    for (Dsp::Filter* design : {highPass2.get(), lowPass2.get(), highPass4.get(), lowPass4.get()})
        design->Restart();
}

void DumpExpand::ProcessBlock(double* const io[2], int32_t n)
{
    if (fade == 0.0 && bypassed)
        return;
    if (n < 1 || n > dry.capacity || n > work.capacity)
        return;
    const size_t bytes = sizeof(double) * static_cast<size_t>(n);
    std::memcpy(dry.left, io[0], bytes);
    std::memcpy(dry.right, io[1], bytes);
    std::memcpy(work.left, io[0], bytes);
    std::memcpy(work.right, io[1], bytes);
    double* const processed[2] = {work.left, work.right};
    ActiveLowPass().ProcessDouble(n, processed);
    ActiveHighPass().ProcessDouble(n, processed);
    if (fade != 1.0)
    {
        const double* const unprocessed[2] = {dry.left, dry.right};
        MixBypassFade(unprocessed, processed, n);
    }
    std::memcpy(io[0], work.left, bytes);
    std::memcpy(io[1], work.right, bytes);
}

Dsp::Filter& DumpExpand::ActiveLowPass() const
{
    return slope == 0 ? *lowPass2 : *lowPass4;
}

Dsp::Filter& DumpExpand::ActiveHighPass() const
{
    return slope == 0 ? *highPass2 : *highPass4;
}

} // namespace Wezmark
