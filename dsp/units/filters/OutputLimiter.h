#pragma once

#include <cstdint>

// Static soft-knee limiter of the output section: no envelope, the gain depends only on
// the current sample; the threshold glides to its target. The owner writes the settings.
struct OutputLimiter
{
    static constexpr double kDefaultThreshold = 0.7079457843841379; // -3 dB
    static constexpr double kThresholdKeep = 0.9944;
    // About -0.01 dB, so that a made-up full-scale sample stays just below 1.0.
    static constexpr double kMakeUpTrim = 0.998849;

    enum Mode : uint32_t
    {
        kModeOff = 0,
        kModeSoft = 1,
        kModeMedium = 2,
        kModeHard = 3,
    };

    // in and out hold two channel pointers each; they may be the same pair.
    void ProcessBlock(const double* const in[2], double* const out[2], int32_t frames);

    // 1 / curve(1.0) once the threshold has settled on its target under the current mode,
    // so the result does not depend on where a glide happens to be. While the threshold
    // glides, ProcessBlock makes up for the curve of each frame instead.
    double MakeUpGainForTarget() const;

    // Linear magnitude the smoothed threshold glides to; the curve's threshold T.
    double threshold = kDefaultThreshold;
    double smoothingA = kThresholdKeep;
    double smoothingB = 1.0 - kThresholdKeep;
    double smoothedThreshold = kDefaultThreshold;
    double kneeWidth = 0.5;
    double ratio = 10.0;
    double kneeStart = 0.0;
    double kneeEnd = 0.0;
    uint32_t mode = kModeSoft;
    bool makeUpOn = false;
    double makeUpGain = 1.0;
    // Frames per host frame while the limiter runs oversampled; its glide keeps its time.
    int32_t framesPerHostFrame = 1;
};
