#pragma once

#include "dsp/units/AudioProcessingUnit.h"
#include "dsp/units/filters/BandSplitFilter.h"
#include "dsp/units/filters/Eq4Band.h"
#include "dsp/units/path/Saturator.h"
#include "framework/SampleArray.h"

#include <cstdint>

namespace Wezmark
{

class Distortion;

// Adds a separately processed low band of the raw input (routed, gained, saturated,
// distorted, equalised, low-passed) under the high-passed main signal.
class SubBandProcessor : public AudioProcessingUnit
{
public:
    static constexpr int32_t kInitialFrames = 1024;

    struct GainSmoother
    {
        double a = TimeConstants::kUnpreparedKeep;
        double b = 1.0 - TimeConstants::kUnpreparedKeep;
        double state = 0.0;
    };

    // The distortion stage is shared with its owner, not owned; it may be null.
    explicit SubBandProcessor(Distortion* distortion);

    // Paces the gains' glides as they run at 44.1 kHz and sizes every working buffer for blocks
    // of up to `maxFrames`; a rate that is not a positive finite number leaves the unit at the
    // rate it had.
    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    // Clears the equaliser's and the splitter's memories.
    void Reset();
    // in is the raw input and is only read (left and right may be one buffer); out holds
    // the main signal and receives the sum of both bands. A block longer than the size
    // given to Prepare passes unchanged.
    void Process(const double* const in[2], double* const out[2], int32_t n);
    // False once switched off and faded out: from there blocks pass untouched.
    bool Running() const { return !(fade == 0.0 && bypassed); }
    // Where the output is not heard: a switch on or off under way and the gains' glides end
    // where they are going.
    void EndGlides();

    Eq4Band equaliser;
    BandSplitFilter splitter;
    double subGain = 1.0;
    double distoGain = 1.0;
    // Routing of the raw input, coded as the input stage's channel mode.
    uint32_t channelMode = 0;
    GainSmoother subGainSmoother;
    GainSmoother distoGainSmoother;
    Saturator saturator;
    Distortion* distortion;
    // The routed raw input: the host's buffers are never written.
    ChannelPair subBand;
    // The main signal as it came, the dry side of the bypass fade.
    ChannelPair mainBefore;
    // Share of the sub-band path in the low band's input, the rest being the main signal.
    double subShare = 1.0;

private:
    void RouteInput(const double* const in[2], int32_t n);
    // Switched on, the bands fade in with the split at the bottom of the range, then it sweeps
    // up to its place, the low band still carrying the main signal; then the sub-band path
    // takes the low band over. Switched off, the same steps run backwards. The split's phase
    // so turns gradually, and no two signals of different phase are faded against each other.
    void StepSwitch();
    // Glides frame i of the low band's input from the main signal to the sub-band path and back.
    void ShareLowBand(int32_t i);
    void SplitAndSum(double* const out[2], int32_t from, int32_t n);
    // Blends frame i of the main signal as it came with the bands, the fade held until its
    // turn comes.
    void BlendWithMain(double* const out[2], int32_t i, bool holdFade);
};

} // namespace Wezmark
