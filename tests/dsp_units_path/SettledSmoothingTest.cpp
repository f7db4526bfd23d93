#include "dsp/units/curves/BuiltinCurves.h"
#include "dsp/units/filters/OutputLimiter.h"
#include "dsp/units/path/DeadZoneGate.h"
#include "dsp/units/path/Distortion.h"
#include "dsp/units/path/DynShaper.h"
#include "dsp/units/path/InputProcessor.h"
#include "dsp/units/path/Saturator.h"
#include "tests/support/StereoBuffer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

namespace
{

constexpr double kRate = 44100.0;
constexpr int32_t kBlock = 512;
constexpr int32_t kBlocks = 60;
// Long after every smoother has settled on its first target.
constexpr int32_t kRetargetBlock = 30;

// A stage with a smoothed setting, and a change of the setting's target.
struct Stage
{
    std::function<void(double* const*, int32_t)> process;
    std::function<void()> retarget;
};

struct Case
{
    const char* name;
    // The stage as it runs at a host rate, or oversampled with this many frames per host frame.
    std::function<Stage(int32_t framesPerHostFrame)> make;
};

const Wezmark::BuiltinCurves& Builtins()
{
    return *Wezmark::BuiltinCurves::Shared();
}

// Each host frame held for `framesPerHostFrame` frames.
StereoBuffer Signal(int32_t framesPerHostFrame)
{
    StereoBuffer signal(kBlock * kBlocks * framesPerHostFrame);
    for (int32_t i = 0; i < signal.Frames(); ++i)
    {
        const int32_t host = i / framesPerHostFrame;
        signal.left[i] = 0.8 * std::sin(0.013 * host) + 0.1 * std::sin(1.7 * host);
        signal.right[i] = 0.6 * std::sin(0.021 * host + 1.0);
    }
    return signal;
}

// Runs the signal through the stage in pieces of `piece` frames; the target moves at the
// same host frame whatever the piece.
StereoBuffer Render(const Case& c, int32_t piece, int32_t framesPerHostFrame = 1)
{
    const Stage stage = c.make(framesPerHostFrame);
    StereoBuffer signal = Signal(framesPerHostFrame);
    for (int32_t start = 0; start < signal.Frames(); start += piece)
    {
        if (start == kRetargetBlock * kBlock * framesPerHostFrame)
            stage.retarget();
        double* const io[2] = {signal.left.data() + start, signal.right.data() + start};
        stage.process(io, piece);
    }
    return signal;
}

const Case kCases[] = {
        {"saturator",
         [](int32_t framesPerHostFrame) {
             auto s = std::make_shared<Wezmark::Saturator>(Wezmark::Saturator::kHarmonicSaturation);
             s->LoadCurve(Builtins());
             s->amount = 0.7;
             s->Prepare(kRate, kBlock, framesPerHostFrame);
             return Stage{[s](double* const* io, int32_t n) { s->BeginBlock(); s->Process(io, n); },
                          [s] {
                              s->amount = 0.3;
                              s->SetMode(1.0);
                          }};
         }},
        {"distortion",
         [](int32_t framesPerHostFrame) {
             auto d = std::make_shared<Wezmark::Distortion>(Builtins());
             d->Init();
             d->SelectCurve(22.0 / 80.0);
             d->amount = 0.8;
             d->Prepare(kRate, kBlock, framesPerHostFrame);
             return Stage{[d](double* const* io, int32_t n) {
                              d->BeginBlock();
                              d->Process(io, n);
                          },
                          [d] { d->amount = 0.2; }};
         }},
        {"dynamic shaper",
         [](int32_t framesPerHostFrame) {
             auto s = std::make_shared<Wezmark::DynShaper>();
             s->amount = 0.5;
             s->width = 0.6;
             s->mode = Wezmark::DynShaper::kDriveBit;
             s->Prepare(kRate, kBlock, framesPerHostFrame);
             return Stage{[s](double* const* io, int32_t n) { s->Process(io, n); },
                          [s] {
                              s->amount = 0.9;
                              s->SetBypass(true);
                          }};
         }},
        {"dead-zone gate",
         [](int32_t framesPerHostFrame) {
             auto g = std::make_shared<DeadZoneGate>();
             g->target = 0.05;
             g->Prepare(kRate, kBlock, framesPerHostFrame);
             return Stage{[g](double* const* io, int32_t n) { g->Process(io, n); }, [g] { g->target = 0.2; }};
         }},
        {"output limiter",
         [](int32_t framesPerHostFrame) {
             auto l = std::make_shared<OutputLimiter>();
             l->threshold = 0.4;
             l->mode = OutputLimiter::kModeMedium;
             l->Prepare(kRate, kBlock, framesPerHostFrame);
             return Stage{[l](double* const* io, int32_t n) { l->Process(io, io, n); }, [l] { l->threshold = 0.9; }};
         }},
        {"input stage",
         [](int32_t framesPerHostFrame) {
             auto s = std::make_shared<Wezmark::InputProcessor>();
             s->gainTarget = 0.7;
             s->offsetSetting = 0.6;
             s->saturator.LoadCurve(Builtins());
             s->saturator.amount = 0.4;
             s->Prepare(kRate, kBlock, framesPerHostFrame);
             return Stage{[s](double* const* io, int32_t n) { s->BeginBlock(); s->Process(io, n); },
                          [s] {
                              s->gainTarget = 1.2;
                              s->offsetSetting = 0.3;
                          }};
         }},
};

// A smoother that has settled is used as a constant for the rest of a block; a block must
// still give exactly what the same frames give when each is a block of its own, which steps
// every smoother once per frame.
TEST(SettledSmoothing, BlocksGiveExactlyWhatSingleFramesGive)
{
    for (const Case& c : kCases)
    {
        const StereoBuffer blocks = Render(c, kBlock);
        const StereoBuffer frames = Render(c, 1);
        for (int32_t i = 0; i < blocks.Frames(); ++i)
        {
            ASSERT_EQ(blocks.left[i], frames.left[i]) << c.name << " frame " << i;
            ASSERT_EQ(blocks.right[i], frames.right[i]) << c.name << " frame " << i;
        }
    }
}

// Oversampled, a stage steps its smoothers once per host frame: fed each host frame eight
// times over, it gives every one of them what the host frame gives at the host rate, so its
// glides last as long and settle on the same values.
TEST(SettledSmoothing, OversampledStagesGlideInHostTime)
{
    constexpr int32_t kFactor = 8;
    for (const Case& c : kCases)
    {
        const StereoBuffer host = Render(c, kBlock);
        const StereoBuffer oversampled = Render(c, kBlock, kFactor);
        for (int32_t i = 0; i < oversampled.Frames(); ++i)
        {
            ASSERT_EQ(oversampled.left[i], host.left[i / kFactor]) << c.name << " frame " << i;
            ASSERT_EQ(oversampled.right[i], host.right[i / kFactor]) << c.name << " frame " << i;
        }
    }
}

} // namespace
