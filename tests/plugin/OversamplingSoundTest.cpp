// What oversampling does to the sound, measured through the VST2 entry as a mixing engineer
// would: aliasing of a hard clipper from the spectrum of a long render, the response against
// oversampling off, dry/wet alignment, the reported delay and switching mid-stream.

#include "framework/vst2/Vst2Constants.h"
#include "plugin/ParamIndex.h"
#include "tests/plugin/FourierTransform.h"
#include "tests/support/Decibels.h"
#include "tests/support/TestSignals.h"
#include "tests/vst2/FakeHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

extern "C" AEffect* VSTPluginMain(audioMasterCallback host);

namespace
{
using Samples = std::vector<double>;
constexpr int kBlock = 512;
constexpr double kPi = std::numbers::pi;

class Effect
{
public:
    explicit Effect(double rate) : mEffect(VSTPluginMain(&FakeHost::Callback))
    {
        Dispatch(effOpen);
        Dispatch(effSetSampleRate, 0, static_cast<float>(rate));
        Dispatch(effSetBlockSize, kBlock);
        Dispatch(effMainsChanged, 1);
        Dispatch(effSetProgram, 0);
    }
    ~Effect() { Dispatch(effClose); }
    Effect(const Effect&) = delete;
    Effect& operator=(const Effect&) = delete;

    void Set(int index, double value) { mEffect->setParameter(mEffect, index, static_cast<float>(value)); }
    // Filter, equaliser and distortion off: the path is linear and flat.
    void Neutral()
    {
        Set(kParamFilterOn, 0.0);
        Set(kParamDistoEqOn, 0.0);
        Set(kParamDistortionOn, 0.0);
    }
    int Latency() const { return mEffect->initialDelay; }

    // Plays `input` on both channels from frame `from` to `to` in host blocks; left output.
    void Play(const Samples& input, Samples& output, size_t from, size_t to)
    {
        for (size_t offset = from; offset < to; offset += kBlock)
        {
            const auto count = static_cast<VstInt32>(std::min<size_t>(kBlock, to - offset));
            double* in[2] = {const_cast<double*>(input.data()) + offset, const_cast<double*>(input.data()) + offset};
            std::vector<double> right(static_cast<size_t>(count));
            double* out[2] = {output.data() + offset, right.data()};
            mEffect->processDoubleReplacing(mEffect, in, out, count);
        }
    }
    Samples Play(const Samples& input)
    {
        Samples output(input.size());
        Play(input, output, 0, input.size());
        return output;
    }

private:
    void Dispatch(VstInt32 opcode, VstIntPtr value = 0, float opt = 0.0f)
    {
        mEffect->dispatcher(mEffect, opcode, 0, value, nullptr, opt);
    }

    FakeHost mHost;
    AEffect* mEffect;
};

// Complex amplitude of the component at `frequency` over whole periods from frame `from`.
std::complex<double> Component(const Samples& x, size_t from, size_t frames, double frequency, double rate)
{
    std::complex<double> sum = 0.0;
    for (size_t i = from; i < from + frames; ++i)
        sum += x[i] * std::polar(1.0, -2.0 * kPi * frequency * static_cast<double>(i) / rate);
    return 2.0 * sum / static_cast<double>(frames);
}

// Magnitude spectrum in dB, four-term Blackman-Harris window (side lobes below -92 dB).
Samples SpectrumDecibels(const Samples& x, size_t from, size_t frames)
{
    std::vector<std::complex<double>> data(frames);
    for (size_t i = 0; i < frames; ++i)
    {
        const double t = 2.0 * kPi * static_cast<double>(i) / static_cast<double>(frames);
        const double w = 0.35875 - 0.48829 * std::cos(t) + 0.14128 * std::cos(2 * t) - 0.01168 * std::cos(3 * t);
        data[i] = x[from + i] * w;
    }
    FourierTransform(data);
    Samples decibels(frames / 2);
    for (size_t k = 0; k < frames / 2; ++k)
        decibels[k] = Decibels(std::abs(data[k]) + 1e-300);
    return decibels;
}

// How far below the fundamental the strongest component lies that is no harmonic of it.
double AliasDistance(double rate, double fundamental)
{
    Effect effect(rate);
    effect.Set(kParamDistortionOn, 1.0);
    effect.Set(kParamDistortionAmount, 1.0);
    effect.Set(kParamDistortionType, 0.0);
    effect.Set(kParamOversampling, 1.0);
    constexpr size_t kSettle = 4096;
    constexpr size_t kFrames = 32768;
    const Samples output = effect.Play(Sine(kSettle + kFrames, fundamental, rate, GainOfDecibels(-12.0)));
    const Samples spectrum = SpectrumDecibels(output, kSettle, kFrames);
    const double bin = rate / kFrames;
    constexpr double kWindowBins = 6.0;
    double fundamentalLevel = -1e9;
    double strongestAlias = -1e9;
    for (size_t k = static_cast<size_t>(20.0 / bin); k < spectrum.size(); ++k)
    {
        const double frequency = static_cast<double>(k) * bin;
        const double harmonic = std::round(frequency / fundamental);
        const bool nearHarmonic = harmonic >= 1.0 && std::fabs(frequency - harmonic * fundamental) < kWindowBins * bin;
        if (harmonic == 1.0 && nearHarmonic)
            fundamentalLevel = std::max(fundamentalLevel, spectrum[k]);
        else if (!nearHarmonic)
            strongestAlias = std::max(strongestAlias, spectrum[k]);
    }
    return fundamentalLevel - strongestAlias;
}

TEST(OversamplingSound, HardClipperAliasesStayFarBelowTheFundamental)
{
    const struct
    {
        double rate;
        double fundamental;
        double leastDistance;
    } cases[] = {{44100.0, 5000.0, 58.0}, {44100.0, 9000.0, 50.0}, {48000.0, 5000.0, 58.0}, {48000.0, 9000.0, 50.0}};
    for (const auto& c : cases)
        EXPECT_GT(AliasDistance(c.rate, c.fundamental), c.leastDistance) << c.rate << " Hz, tone " << c.fundamental;
}

// Level of a tone after the effect, oversampled or not, in dB of its input level.
double Gain(double rate, double frequency, bool oversampled, double dryWet = 1.0)
{
    Effect effect(rate);
    effect.Set(kParamOversampling, oversampled ? 1.0 : 0.0);
    effect.Set(kParamDryWet, dryWet);
    constexpr size_t kSettle = 24576;
    const auto frames = static_cast<size_t>(rate / 50.0);
    const Samples output = effect.Play(Sine(kSettle + frames, frequency, rate, 0.25));
    return Decibels(std::abs(Component(output, kSettle, frames, frequency, rate)) / 0.25);
}

TEST(OversamplingSound, TopEndStaysWithinHalfADecibelOfOversamplingOff)
{
    for (const double rate : {44100.0, 48000.0})
        for (const double frequency : {1000.0, 10000.0, 16000.0, 18000.0})
            EXPECT_NEAR(Gain(rate, frequency, true), Gain(rate, frequency, false), 0.5)
                << rate << " Hz, tone " << frequency;
}

// The dry signal takes the wet one's round trips, whichever oversampled stages are on; with
// the rest of the path neutral, half dry and half wet is the same as all wet.
TEST(OversamplingSound, HalfDryHalfWetMatchesAllWetForEveryStageCombination)
{
    constexpr double kRate = 48000.0;
    for (int stages = 0; stages < 8; ++stages)
        for (const double frequency : {5800.0, 11600.0, 18000.0})
        {
            double gains[2] = {};
            for (const double mix : {0.5, 1.0})
            {
                Effect effect(kRate);
                effect.Neutral();
                effect.Set(kParamOversampling, 1.0);
                effect.Set(kParamPreFilterProcess, stages & 1 ? 1.0 : 0.0);
                effect.Set(kParamPostFilterProcess, stages & 2 ? 1.0 : 0.0);
                effect.Set(kParamLimiterMode, stages & 4 ? 0.34 : 0.0);
                effect.Set(kParamDryWet, mix);
                const Samples output = effect.Play(Sine(4096 + 4800, frequency, kRate, 0.25));
                gains[mix == 1.0] = std::abs(Component(output, 4096, 4800, frequency, kRate));
            }
            EXPECT_NEAR(Decibels(gains[0] / gains[1]), 0.0, 0.05) << "stages " << stages << ", tone " << frequency;
        }
}

// Hosts delay the other tracks by what the plug-in reports: a tone in the middle of the band
// comes out that late, oversampled or not. (Low tones also pass the path's DC blockers, whose
// phase lead says nothing about the delay.)
TEST(OversamplingSound, ReportedDelayIsTheMeasuredDelay)
{
    constexpr double kRate = 48000.0;
    // A period of 64 frames: longer than twice the delay, so the phase does not wrap.
    constexpr double kFrequency = kRate / 64.0;
    for (const bool oversampled : {false, true})
    {
        Effect effect(kRate);
        effect.Neutral();
        effect.Set(kParamOversampling, oversampled ? 1.0 : 0.0);
        const Samples input = Sine(4096 + 4096, kFrequency, kRate, 0.25);
        const Samples output = effect.Play(input);
        const double phase = std::arg(Component(output, 4096, 4096, kFrequency, kRate) /
                                      Component(input, 4096, 4096, kFrequency, kRate));
        const double delay = -phase / (2.0 * kPi * kFrequency / kRate);
        EXPECT_EQ(std::lround(delay), effect.Latency()) << oversampled;
        EXPECT_EQ(effect.Latency() > 0, oversampled);
    }
}

// The sub-band path adds the low band of the input to the high band of the chain signal.
// Oversampled, the low band comes out exactly as late as the rest, whichever chains run: each
// tone around the band split keeps its level and is delayed by the reported latency against
// oversampling off.
TEST(OversamplingSound, SubBandStaysInTimeWithTheChain)
{
    constexpr double kRate = 48000.0;
    constexpr size_t kSettle = 24576;
    constexpr size_t kFrames = 4800;
    const struct
    {
        double frequency;
        bool preFilterChain;
        bool postFilterChain;
    } cases[] = {
        {60.0, false, true}, {100.0, true, true}, {200.0, true, false}, {200.0, false, false}, {400.0, false, true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "tone " << c.frequency << ", chains before and after the filter "
                                        << c.preFilterChain << c.postFilterChain);
        std::complex<double> response[2];
        int latency = 0;
        for (const bool oversampled : {false, true})
        {
            Effect effect(kRate);
            effect.Neutral();
            effect.Set(kParamSubBandOn, 1.0);
            effect.Set(kParamPreFilterProcess, c.preFilterChain ? 1.0 : 0.0);
            effect.Set(kParamPostFilterProcess, c.postFilterChain ? 1.0 : 0.0);
            effect.Set(kParamOversampling, oversampled ? 1.0 : 0.0);
            const Samples input = Sine(kSettle + kFrames, c.frequency, kRate, 0.25);
            const Samples output = effect.Play(input);
            response[oversampled] = Component(output, kSettle, kFrames, c.frequency, kRate) /
                                    Component(input, kSettle, kFrames, c.frequency, kRate);
            latency = effect.Latency();
        }
        const double delay = -std::arg(response[1] / response[0]) / (2.0 * kPi * c.frequency / kRate);
        EXPECT_NEAR(delay, latency, 0.5);
        EXPECT_NEAR(Decibels(std::abs(response[1]) / std::abs(response[0])), 0.0, 0.05);
    }
}

// The sample-rate reducer holds frames for as long in host time whether it runs oversampled
// or not: at a ratio of 1/8 it samples at 6 kHz, and a tone's image below that rate comes out
// at the same level either way.
TEST(OversamplingSound, ReducerKeepsItsRateWhenOversampled)
{
    constexpr double kRate = 48000.0;
    constexpr double kReducedRate = kRate / 8.0;
    constexpr size_t kSettle = 4096;
    constexpr size_t kFrames = 4800;
    for (const double tone : {1000.0, 2500.0})
    {
        const double image = kReducedRate - tone;
        double imageLevels[2] = {};
        for (const bool oversampled : {false, true})
        {
            Effect effect(kRate);
            effect.Neutral();
            effect.Set(kParamDistortionOn, 1.0);
            effect.Set(kParamSampleRateReduction, 0.5);
            effect.Set(kParamOversampling, oversampled ? 1.0 : 0.0);
            const Samples output = effect.Play(Sine(kSettle + kFrames, tone, kRate, 0.25));
            imageLevels[oversampled] = Decibels(std::abs(Component(output, kSettle, kFrames, image, kRate)) /
                                                std::abs(Component(output, kSettle, kFrames, tone, kRate)));
        }
        EXPECT_GT(imageLevels[false], -20.0) << "tone " << tone;
        EXPECT_NEAR(imageLevels[true], imageLevels[false], 0.5) << "tone " << tone;
    }
}

// Switching oversampling mid-stream crossfades rather than jumps: a -6 dBFS 100 Hz sine steps
// between two frames no further than the sine itself does, but for the slope of a crossfade
// between the path and one that comes 24 frames later.
TEST(OversamplingSound, SwitchingMidStreamDoesNotJump)
{
    constexpr double kRate = 48000.0;
    const double sineStep = 0.5 * 2.0 * kPi * 100.0 / kRate;
    for (const bool on : {true, false})
    {
        Effect effect(kRate);
        effect.Set(kParamOversampling, on ? 0.0 : 1.0);
        const Samples input = Sine(24000, 100.0, kRate, 0.5);
        Samples output(input.size());
        effect.Play(input, output, 0, 12288);
        effect.Set(kParamOversampling, on ? 1.0 : 0.0);
        effect.Play(input, output, 12288, input.size());
        double largestJump = 0.0;
        for (size_t i = 12288; i < output.size(); ++i)
            largestJump = std::max(largestJump, std::fabs(output[i] - output[i - 1]));
        EXPECT_LT(largestJump, 1.04 * sineStep) << on;
    }
}

} // namespace

// While the input stage passes its blocks unchanged, its round trip is also the dry signal's
// first, and the dry signal's next two are also those of the signal that bypasses the effect
// path; when the stage starts and stops working, the dry and the bypassed signal must go on
// exactly as through round trips of their own. Both channels carry the same signal, so mono mix
// routing changes no sample but keeps the stage from counting as idle: the two renders must agree.
TEST(OversamplingSound, AlignmentsSharedWithAnIdleInputStageMatchTheirOwn)
{
    constexpr double kRate = 48000.0;
    // Long enough for the input gain and the saturation amount to settle.
    constexpr size_t kPart = 40960;
    Samples input = Sine(3 * kPart, 703.0, kRate, 0.3);
    for (size_t i = 0; i < input.size(); ++i)
        input[i] += 0.2 * std::sin(2.0 * kPi * 9127.0 * static_cast<double>(i) / kRate);
    for (const double bypass : {0.0, 1.0})
    {
        Samples outputs[2];
        for (const bool mono : {false, true})
        {
            Effect effect(kRate);
            effect.Neutral();
            effect.Set(kParamOversampling, 1.0);
            effect.Set(kParamDryWet, 0.5);
            effect.Set(kParamBypassAll, bypass);
            effect.Set(kParamInputChannelMode, mono ? 0.5 : 0.0);
            Samples& output = outputs[mono];
            output.resize(input.size());
            effect.Play(input, output, 0, kPart);
            effect.Set(kParamInputSaturation, 0.5);
            effect.Play(input, output, kPart, 2 * kPart);
            effect.Set(kParamInputSaturation, 0.0);
            effect.Play(input, output, 2 * kPart, input.size());
        }
        for (size_t i = 0; i < input.size(); ++i)
            ASSERT_NEAR(outputs[0][i], outputs[1][i], 1e-10) << "bypass " << bypass << ", frame " << i;
    }
}
