#pragma once

#include "dsp/units/AudioProcessingUnit.h"
#include "framework/SampleArray.h"

#include <array>
#include <cstdint>
#include <memory>

namespace Dsp
{
class Filter;
}

namespace Wezmark
{

// Four-band shelving equaliser: low shelf, two band shelves and high shelf in series, each
// gain a 0..1 control value mapped linearly to -24..+24 dB (0.5 is flat). The bands at the
// front that are flat and settled pass the signal unchanged, so they do not run; they come
// back in from cleared memory: a flat band passes its input whatever its memory holds, and a
// glide away from 0 dB starts from silence either way.
class Eq4Band : public AudioProcessingUnit
{
public:
    static constexpr int32_t kInitialFrames = 1024;
    static constexpr double kFlatGain = 0.5;

    enum Band
    {
        kBass,
        kLowMid,
        kHighMid,
        kHigh,
        kBandCount,
    };

    Eq4Band();
    ~Eq4Band() override;

    void Init();
    // Sizes the working copy for blocks of up to `maxFrames`; a rate that is not a positive
    // finite number leaves the designs at the rate they had.
    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    // Clears every band's memory; a start afresh ends every glide of the designs. EndGlides is
    // the base's: the bypass fade.
    void Reset();
    void SetBassGain(double v);
    void SetLowMidGain(double v);
    void SetHighMidGain(double v);
    void SetHighGain(double v);
    // The band gains in dB.
    double GetBassGain() const;
    double GetLowMidGain() const;
    double GetHighMidGain() const;
    double GetHighGain() const;
    // The gain in dB of a band set to `v` (limited to 0..1).
    static double GainInDecibels(double v);
    // The band setting whose gain is `db` (limited to the gain range).
    static double SettingOfDecibels(double db);
    // In place; a block longer than the working copy passes unchanged.
    void Process(double* const io[2], int32_t n);

    // Fixed at construction.
    double bassFrequency = 150.0;
    double lowMidFrequency = 350.0;
    double lowMidWidth = 300.0;
    double highMidFrequency = 1600.0;
    double highMidWidth = 1000.0;
    double highFrequency = 4000.0;
    // In band order: bass, low mid, high mid, high.
    std::array<std::unique_ptr<Dsp::Filter>, kBandCount> designs;
    std::array<double, kBandCount> gains{kFlatGain, kFlatGain, kFlatGain, kFlatGain};
    ChannelPair work;

private:
    void SetGain(Band band, double v);
    double GetGain(Band band) const;
    // Frames at the start of an n-frame block that the band must run: all of them, or for a
    // band at 0 dB those of a glide there that is still under way.
    int32_t FramesToRun(Band band, int32_t n) const;
    // The band as if it had run all along: for a flat band, any memory will do.
    void BringBackIn(Band band);
    // Each band on the first `frames[band]` frames of `io`.
    void RunBands(const std::array<int32_t, kBandCount>& frames, double* const io[2]);

    // Where each design keeps its gain, found once: every block asks for it.
    std::array<int, kBandCount> mGainIndex{};
    std::array<bool, kBandCount> mSkipped{};
    // Frames processed since the band's gain was last set.
    std::array<int32_t, kBandCount> mFramesSinceSet{};
    // How long the designs glide to a new gain at the current rate; after it a band is settled.
    int32_t mGlideFrames = 0;
};

} // namespace Wezmark
