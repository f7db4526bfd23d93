#include "tests/dsp_units_path/UnitRig.h"

#include <algorithm>

UnitRig::UnitRig(const Wezmark::BuiltinCurves& builtins)
    : chain(builtins), saturator(Wezmark::Saturator::kHarmonicSaturation), dry(kBlockFrames, 0.5)
{
    chain.distortion.Init();
    chain.Prepare(44100.0, kBlockFrames);
    chain.distortion.SelectCurve(12.0 / 80.0);
    chain.distortion.amount = 0.8;
    chain.distortion.mode = Wezmark::Distortion::kDriveAndFold;
    chain.quantizer.amount = 0.25;
    chain.quantizer.bits = 16.75;
    chain.quantizer.factor = 110134.0;
    chain.reducer.ratio = 0.5;
    chain.gate.target = 0.001;
    chain.shaper.amount = 0.7;
    chain.shaper.mode = 3;

    saturator.LoadCurve(builtins);
    saturator.Prepare(44100.0, kBlockFrames);
    saturator.amount = 0.3;

    input.saturator.LoadCurve(builtins);
    input.Prepare(44100.0, kBlockFrames);
    input.saturator.amount = 0.6;
    input.offsetSetting = 0.7;
    input.channelMode = Wezmark::InputProcessor::kInverseStereo;

    oversampler.Prepare(48000.0, kBlockFrames);
}

std::vector<UnitRig::Operation> UnitRig::Operations()
{
    return {
        {"distortion chain", [this](double* const io[2], int32_t n) { chain.BeginBlock(); chain.Process(io, n); }},
        {"distortion chain fading out",
         [this](double* const io[2], int32_t n) {
             chain.shaper.SetBypass(true);
             chain.BeginBlock();
             chain.Process(io, n);
             chain.shaper.SetBypass(false);
         }},
        {"saturator", [this](double* const io[2], int32_t n) { saturator.BeginBlock(); saturator.Process(io, n); }},
        {"input stage", [this](double* const io[2], int32_t n) { input.BeginBlock(); input.Process(io, n); }},
        {"oversampler",
         [this](double* const io[2], int32_t n) {
             oversampler.Upsample(io, n);
             const double* up[2] = {oversampler.up.left, oversampler.up.right};
             oversampler.Downsample(up, n * static_cast<int32_t>(oversampler.factor));
             std::copy(oversampler.down.left, oversampler.down.left + n, io[0]);
             std::copy(oversampler.down.right, oversampler.down.right + n, io[1]);
         }},
        {"saturator with a bypass fade",
         [this](double* const io[2], int32_t n) {
             saturator.SetBypass(!saturator.bypassed);
             saturator.BeginBlock();
             saturator.Process(io, n);
             const double* dryPair[2] = {dry.data(), dry.data()};
             saturator.MixBypassFade(dryPair, io, n);
         }},
        {"envelope follower",
         [this](double* const io[2], int32_t n) {
             follower.Process(io, n);
             std::fill(io[0], io[0] + n, follower.envelopeLeft);
             std::fill(io[1], io[1] + n, follower.envelopeRight);
         }},
    };
}
