#pragma once

#include "dsp/units/TimeConstants.h"
#include "dsp/units/path/Saturator.h"

#include <cstdint>

namespace Wezmark
{

// First stage of the signal path: channel routing, smoothed input gain, smoothed DC offset
// and the input saturation, in place.
class InputProcessor
{
public:
    // The offset setting that adds no offset.
    static constexpr double kNoOffset = 0.5;

    enum ChannelMode : uint32_t
    {
        kStereo,
        kInverseStereo,
        kMonoMix,
        kMonoLeft,
        kMonoRight,
    };

    InputProcessor();
    InputProcessor(const InputProcessor&) = delete;
    InputProcessor& operator=(const InputProcessor&) = delete;
    virtual ~InputProcessor() = default;

    // Paces the gain and offset glides as they run at 44.1 kHz; the saturator's rate and working
    // copy, for blocks of up to `maxFrames`.
    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    // Routing, gain and offset have no memory; the saturator's is cleared.
    void Reset();
    // BeginBlock once per block, then Process on the block's frames in order, any number at a
    // time, in place.
    void BeginBlock();
    void Process(double* const io[2], int32_t n);
    // True when the next block would leave every sample as it is (finite samples at least,
    // to far below rounding): stereo routing, a gain settled on 1, no offset, saturation off.
    bool PassesUnchanged() const;
    // Where the output is not heard: the gain and the offset stand on their targets at once.
    void EndGlides();

    double gainTarget = 1.0;
    // 0..1 around kNoOffset; the offset glides toward 2 x (setting - 0.5).
    double offsetSetting = kNoOffset;
    double offsetPole = TimeConstants::kUnpreparedKeep;
    double offsetStep = 1.0 - TimeConstants::kUnpreparedKeep;
    double offsetState = 0.0;
    double gainPole = TimeConstants::kUnpreparedKeep;
    double gainStep = 1.0 - TimeConstants::kUnpreparedKeep;
    // Starts at 0, so a new stage fades in from silence.
    double gainState = 0.0;
    uint32_t channelMode = kStereo;
    int32_t framesPerHostFrame = 1;
    Saturator saturator;

private:
    void Route(double* const io[2], int32_t n) const;
    double OffsetTarget() const;
};

} // namespace Wezmark
