#include "dsp/units/curves/DistortionDataProvider.h"
#include "dsp/units/filters/OutputLimiter.h"
#include "dsp/units/path/DeadZoneGate.h"
#include "dsp/units/path/Distortion.h"
#include "dsp/units/path/DynShaper.h"
#include "dsp/units/path/InputProcessor.h"
#include "dsp/units/path/Saturator.h"
#include "tests/dsp_units_path/StereoBuffer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

namespace
{

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
    std::function<Stage()> make;
};

const Wezmark::DistortionDataProvider& Library()
{
    static const Wezmark::DistortionDataProvider library;
    return library;
}

StereoBuffer Signal()
{
    StereoBuffer signal(kBlock * kBlocks);
    for (int32_t i = 0; i < signal.Frames(); ++i)
    {
        signal.left[i] = 0.8 * std::sin(0.013 * i) + 0.1 * std::sin(1.7 * i);
        signal.right[i] = 0.6 * std::sin(0.021 * i + 1.0);
    }
    return signal;
}

// Runs the signal through the stage in pieces of `piece` frames; the target moves at the
// same frame whatever the piece.
StereoBuffer Render(const Case& c, int32_t piece)
{
    const Stage stage = c.make();
    StereoBuffer signal = Signal();
    for (int32_t start = 0; start < signal.Frames(); start += piece)
    {
        if (start == kRetargetBlock * kBlock)
            stage.retarget();
        double* const io[2] = {signal.left.data() + start, signal.right.data() + start};
        stage.process(io, piece);
    }
    return signal;
}

// A smoother that has settled is used as a constant for the rest of a block; a block must
// still give exactly what the same frames give when each is a block of its own, which steps
// every smoother once per frame.
TEST(SettledSmoothing, BlocksGiveExactlyWhatSingleFramesGive)
{
    const Case cases[] = {
        {"saturator",
         [] {
             auto s = std::make_shared<Wezmark::Saturator>(Wezmark::Saturator::kHarmonicSaturation);
             s->LoadCurve(Library());
             s->amount = 0.7;
             return Stage{[s](double* const* io, int32_t n) { s->ProcessBlock(io, n); },
                          [s] {
                              s->amount = 0.3;
                              s->SetMode(1.0);
                          }};
         }},
        {"distortion",
         [] {
             auto d = std::make_shared<Wezmark::Distortion>(Library());
             d->Init();
             d->SelectCurve(22.0 / 80.0);
             d->amount = 0.8;
             return Stage{[d](double* const* io, int32_t n) { d->ProcessBlock(io, n); }, [d] { d->amount = 0.2; }};
         }},
        {"dynamic shaper",
         [] {
             auto s = std::make_shared<Wezmark::DynShaper>();
             s->amount = 0.5;
             s->width = 0.6;
             s->mode = Wezmark::DynShaper::kDriveBit;
             return Stage{[s](double* const* io, int32_t n) { s->ProcessBlock(io, n); },
                          [s] {
                              s->amount = 0.9;
                              s->SetBypass(true);
                          }};
         }},
        {"dead-zone gate",
         [] {
             auto g = std::make_shared<DeadZoneGate>();
             g->target = 0.05;
             return Stage{[g](double* const* io, int32_t n) { g->ProcessBlock(io, n); }, [g] { g->target = 0.2; }};
         }},
        {"output limiter",
         [] {
             auto l = std::make_shared<OutputLimiter>();
             l->threshold = 0.4;
             l->mode = OutputLimiter::kModeMedium;
             return Stage{[l](double* const* io, int32_t n) { l->ProcessBlock(io, io, n); }, [l] { l->threshold = 0.9; }};
         }},
        {"input stage",
         [] {
             auto s = std::make_shared<Wezmark::InputProcessor>();
             s->gainTarget = 0.7;
             s->offsetSetting = 0.6;
             return Stage{[s](double* const* io, int32_t n) { s->ProcessBlock(io, n); },
                          [s] {
                              s->gainTarget = 1.2;
                              s->offsetSetting = 0.3;
                          }};
         }},
    };
    for (const Case& c : cases)
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

} // namespace
