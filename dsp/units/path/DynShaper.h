#pragma once

#include "dsp/units/AudioProcessingUnit.h"
#include "dsp/units/SettingCrossfade.h"
#include "dsp/units/TimeConstants.h"
#include "dsp/filters/SimdLevel.h"

#include <array>
#include <cstdint>

namespace Wezmark
{

// Adds a waveform bump to samples whose magnitude falls inside a window of the input range;
// the window moves toward zero as the amount rises. Switching it fades its effect in or out,
// and a change of width, waveform, inversion, mode or polarity crossfades from the old
// shaping to the new one as fast as the amount glides.
class DynShaper : public AudioProcessingUnit
{
public:
    static constexpr double kInitialWidth = 0.25;
    static constexpr int kShortSteps = 16;
    static constexpr int kLongSteps = 64;
    static constexpr int32_t kInitialFrames = 1024;
    // The waveform's scale at an amount of 1, and the boost's factor on top of it.
    static constexpr double kBumpScale = 0.777;
    static constexpr double kBoostScale = 4.0;

    enum Waveform : uint32_t
    {
        kSine,
        kTriangle,
        kPulse,
        kRamp,
        kDoubleSine,
        kSquare,
        kSteps16,
        kSteps64,
        kRandom,
    };

    enum Polarity : uint32_t
    {
        kBothHalves,
        kPositiveOnly,
        kNegativeOnly,
    };

    // Mode bits.
    static constexpr uint32_t kBoostBit = 1;
    static constexpr uint32_t kDriveBit = 2;

    DynShaper();

    // Paces the amount glide, the crossfade and the presence as they run at 44.1 kHz and sizes
    // the crossfade's copy of the block for blocks of up to `maxFrames`; the next block takes
    // the shaping as it is then. Chooses the widest loops the processor allows.
    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    // Nothing to clear: the shaping has no memory.
    void Reset() {}
    // The smoothed amount, the presence, a shaping crossfade and the bypass fade stand on their
    // targets.
    void EndGlides();

    // The shaped sample for input x at effective amount a.
    double Shape(double x, double a) const;

    // The chain's shaper stage: smooths the amount, applies the fade, drives and shapes in place.
    void Process(double* const io[2], int32_t n);

    // The random waveform's next value, -1..1, from the process-wide generator.
    static double NextRandomValue();

    double keep = TimeConstants::kShaperAmountKeep;
    double take = 1.0 - TimeConstants::kShaperAmountKeep;
    double presenceStep = TimeConstants::kShaperPresenceStep;
    double smoothed = 0.0;
    // 0 is off: the shaper fades out over its presence instead of stopping at once.
    double amount = 0.0;
    // Weight of the shaping besides the bypass fade: moves toward 1 while the amount is not 0
    // and toward 0 while it is, in steps as long as the bypass fade's.
    double presence = 0.0;
    double width = kInitialWidth;
    uint32_t waveform = kSine;
    bool invert = false;
    uint32_t mode = 0;
    uint32_t polarity = kBothHalves;
    // Frames per host frame while the shaper runs oversampled; its glide, fade and presence
    // keep their time.
    int32_t framesPerHostFrame = 1;
    std::array<double, kShortSteps> steps16{};
    std::array<double, kLongSteps> steps64{};

private:
    // What the shaping depends on besides the amount.
    struct Shaping
    {
        double width;
        uint32_t waveform;
        bool invert;
        uint32_t mode;
        uint32_t polarity;
        bool operator==(const Shaping&) const = default;
    };

    Shaping CurrentShaping() const;
    void UseShaping(const Shaping& shaping);
    // Smoothing, fades and shaping of one block with the current settings, the waveform
    // chosen once for the block.
    void RunShaping(double* const io[2], int32_t n);
    template <uint32_t kWaveform>
    void RunShapingWith(double* const io[2], int32_t n);
    // The wide loop on a block of one window at effective amount a and drive gain `gain`;
    // false (nothing done) where it does not serve.
    bool ShapeSettledWide(double* const io[2], int32_t n, double a, double gain) const;

    SettingCrossfade<Shaping> mCrossfade;
    // The AVX2 loop for blocks that neither glide nor fade.
    bool mWide = false;

    // Where the bump sits for one effective amount: the same for every sample of a block that
    // neither glides nor fades.
    struct Window
    {
        double a;
        double lower;
        double upper;
    };

    Window WindowFor(double a) const;
};

} // namespace Wezmark
