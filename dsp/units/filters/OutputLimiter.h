#pragma once

#include "dsp/units/TimeConstants.h"

#include <cstdint>

// Static soft-knee limiter of the output section: no envelope, the gain depends only on
// the current sample; the threshold glides to its target. The owner writes the settings.
// A change of mode (off included) crossfades from the old curve to the new one, and the
// make-up gain glides in and out with its switch, so that a program change never lets the
// louder of two settings through at once while the rest of the path is still gliding.
struct OutputLimiter
{
    static constexpr double kDefaultThreshold = 0.7079457843841379; // -3 dB
    // About -0.01 dB, so that a made-up full-scale sample stays just below 1.0.
    static constexpr double kMakeUpTrim = 0.998849;

    enum Mode : uint32_t
    {
        kModeOff = 0,
        kModeSoft = 1,
        kModeMedium = 2,
        kModeHard = 3,
    };

    // Paces the threshold glide, the mode crossfade and the make-up glide as at 44.1 kHz.
    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    // in and out hold two channel pointers each; they may be the same pair.
    void Process(const double* const in[2], double* const out[2], int32_t frames);
    // True while the limiter still changes the signal after it was switched off.
    bool GlidingOut() const { return started && mode == kModeOff && (heardMode != kModeOff || modeFadeLeft != 0.0); }
    // Nothing has been heard yet: the next block takes mode and make-up as they are then.
    void Reset() { started = false; }
    // Where the output is not heard: the threshold, a mode crossfade and the make-up glide end
    // on their targets at once.
    void EndGlides();

    // 1 / curve(1.0) once the threshold has settled on its target under the current mode,
    // so the result does not depend on where a glide happens to be. While the threshold
    // glides, Process makes up for the curve of each frame instead.
    double MakeUpGainForTarget() const;

    // Linear magnitude the smoothed threshold glides to; the curve's threshold T.
    double threshold = kDefaultThreshold;
    double smoothingA = TimeConstants::kLimiterThresholdKeep;
    double smoothingB = 1.0 - TimeConstants::kLimiterThresholdKeep;
    double smoothedThreshold = kDefaultThreshold;
    double holdHarderKeep = TimeConstants::kLimiterHoldHarderKeep;
    double letGoKeep = TimeConstants::kLimiterLetGoKeep;
    double kneeWidth = 0.5;
    double ratio = 10.0;
    double kneeStart = 0.0;
    double kneeEnd = 0.0;
    uint32_t mode = kModeSoft;
    bool makeUpOn = false;
    double makeUpGain = 1.0;
    // Frames per host frame while the limiter runs oversampled; its glide keeps its time.
    int32_t framesPerHostFrame = 1;
    // The mode heard and, while modeFadeLeft is above 0, the one it crossfades from.
    uint32_t heardMode = kModeSoft;
    uint32_t leavingMode = kModeSoft;
    // Weight of the leaving mode's curve, gliding to 0.
    double modeFadeLeft = 0.0;
    // Weight of the make-up gain, gliding to 1 with make-up on and to 0 with it off.
    double madeUp = 0.0;
    bool started = false;

private:
    double MadeUpTarget() const { return makeUpOn ? 1.0 : 0.0; }
    // Frame by frame while a mode crossfade or a make-up glide is under way.
    void ProcessTransition(const double* const in[2], double* const out[2], int32_t frames);
};
