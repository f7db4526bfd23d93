#include "dsp/units/AudioProcessingUnit.h"
#include "dsp/units/ProcessingUnitShape.h"
#include "dsp/units/curves/BuiltinCurves.h"
#include "dsp/units/path/DeadZoneGate.h"
#include "dsp/units/path/Distortion.h"
#include "dsp/units/path/DistortionChain.h"
#include "dsp/units/path/DynShaper.h"
#include "dsp/units/path/EnvFollower.h"
#include "dsp/units/path/InputProcessor.h"
#include "dsp/units/path/Oversampler.h"
#include "dsp/units/path/Quantizer.h"
#include "dsp/units/path/Saturator.h"
#include "dsp/units/path/SmpRateConverter.h"
#include "tests/support/StereoBuffer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

static_assert(UnitLifeCycle<Wezmark::AudioProcessingUnit>);
static_assert(ProcessingUnitShape<DeadZoneGate>);
static_assert(ProcessingUnitShape<Wezmark::Distortion>);
static_assert(ProcessingUnitShape<DistortionChain>);
static_assert(ProcessingUnitShape<Wezmark::DynShaper>);
static_assert(ProcessingUnitShape<Wezmark::EnvFollower>);
static_assert(ProcessingUnitShape<Wezmark::InputProcessor>);
static_assert(ProcessingUnitShape<Oversampler>);
static_assert(ProcessingUnitShape<Quantizer>);
static_assert(ProcessingUnitShape<Wezmark::Saturator>);
static_assert(ProcessingUnitShape<Wezmark::SmpRateConverter>);

namespace
{

constexpr double kRate = 48000.0;
constexpr int32_t kBlock = 256;
// Long after every glide, fade and crossfade of these units has settled.
constexpr int32_t kSettleBlocks = 400;

const Wezmark::BuiltinCurves& Builtins()
{
    return *Wezmark::BuiltinCurves::Shared();
}

StereoBuffer Signal()
{
    StereoBuffer signal(kBlock);
    for (int32_t i = 0; i < kBlock; ++i)
    {
        signal.left[i] = 0.7 * std::sin(0.05 * i) + 0.2 * std::sin(1.3 * i);
        signal.right[i] = 0.5 * std::sin(0.031 * i + 1.0);
    }
    return signal;
}

// A unit with no memory of its input, so that a block shows where its glides stand.
struct Stage
{
    std::function<void(double* const*, int32_t)> process;
    // New settings, each reached by a glide, a fade or a crossfade.
    std::function<void()> retarget;
    std::function<void()> endGlides;
};

struct Case
{
    const char* name;
    std::function<Stage()> make;
};

const Case kCases[] = {
    {"saturator",
     [] {
         auto s = std::make_shared<Wezmark::Saturator>(Wezmark::Saturator::kSoftSaturation);
         s->LoadCurve(Builtins());
         s->Prepare(kRate, kBlock);
         s->amount = 0.3;
         return Stage{[s](double* const* io, int32_t n) {
                          s->BeginBlock();
                          s->Process(io, n);
                      },
                      [s] {
                          s->amount = 0.8;
                          s->SetMode(1.0);
                      },
                      [s] { s->EndGlides(); }};
     }},
    {"distortion",
     [] {
         auto d = std::make_shared<Wezmark::Distortion>(Builtins());
         d->Init();
         d->Prepare(kRate, kBlock);
         d->SelectCurve(22.0 / 80.0);
         d->amount = 0.8;
         return Stage{[d](double* const* io, int32_t n) {
                          d->BeginBlock();
                          d->Process(io, n);
                      },
                      [d] {
                          d->amount = 0.3;
                          d->SelectCurve(40.0 / 80.0);
                      },
                      [d] { d->EndGlides(); }};
     }},
    {"dynamic shaper",
     [] {
         auto s = std::make_shared<Wezmark::DynShaper>();
         s->Prepare(kRate, kBlock);
         s->amount = 0.5;
         return Stage{[s](double* const* io, int32_t n) { s->Process(io, n); },
                      [s] {
                          s->amount = 0.9;
                          s->width = 0.6;
                          s->SetBypass(true);
                      },
                      [s] { s->EndGlides(); }};
     }},
    {"dynamic shaper switched off",
     [] {
         auto s = std::make_shared<Wezmark::DynShaper>();
         s->Prepare(kRate, kBlock);
         s->amount = 0.5;
         return Stage{[s](double* const* io, int32_t n) { s->Process(io, n); }, [s] { s->amount = 0.0; },
                      [s] { s->EndGlides(); }};
     }},
    {"dead-zone gate",
     [] {
         auto g = std::make_shared<DeadZoneGate>();
         g->Prepare(kRate, kBlock);
         g->target = 0.05;
         return Stage{[g](double* const* io, int32_t n) { g->Process(io, n); }, [g] { g->target = 0.3; },
                      [g] { g->EndGlides(); }};
     }},
    {"quantiser",
     [] {
         auto q = std::make_shared<Quantizer>();
         q->Prepare(kRate, kBlock);
         q->amount = 0.04;
         q->factor = 4.0;
         return Stage{[q](double* const* io, int32_t n) { q->Process(io, n); },
                      [q] {
                          q->amount = 0.25;
                          q->factor = 64.0;
                      },
                      [q] { q->EndGlides(); }};
     }},
};

// Where the output is not heard, EndGlides stands a unit where its glides would settle: the
// next block sounds as it does from a unit that glided there long before.
TEST(UnitShape, EndGlidesStandsWhereTheGlidesSettle)
{
    const StereoBuffer signal = Signal();
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.name);
        const Stage ended = c.make();
        const Stage glided = c.make();
        StereoBuffer before = signal;
        for (const Stage* stage : {&ended, &glided})
        {
            before = signal;
            stage->process(before.Io(), kBlock);
            stage->retarget();
        }
        ended.endGlides();
        for (int32_t block = 0; block < kSettleBlocks; ++block)
        {
            StereoBuffer settling = signal;
            glided.process(settling.Io(), kBlock);
        }
        StereoBuffer fromEnded = signal;
        StereoBuffer fromGlided = signal;
        ended.process(fromEnded.Io(), kBlock);
        glided.process(fromGlided.Io(), kBlock);
        for (int32_t i = 0; i < kBlock; ++i)
        {
            ASSERT_NEAR(fromEnded.left[i], fromGlided.left[i], 1e-9) << "frame " << i;
            ASSERT_NEAR(fromEnded.right[i], fromGlided.right[i], 1e-9) << "frame " << i;
        }
        EXPECT_NE(fromGlided.left, before.left) << "the new settings sound different";
    }
}

} // namespace
