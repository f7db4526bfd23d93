#pragma once

#include <string>
#include <vector>

class DistortionCurve;
struct WavFrame;

// A curve as audio: one sample per point.
class CurveWavFile
{
public:
    static constexpr double kExportRate = 44100.0;

    // Takes the left channel of any WAV file the reader accepts, peak-normalised and resampled
    // to the curve's point count. False, and the curve unchanged, when there is no curve, it
    // reads shared tables, or the file cannot be read or holds no frames.
    static bool Import(DistortionCurve* curve, const std::string& path);

    // The import's work on frames already read: normalise them (non-finite samples become 0)
    // and take their left channel into the curve; false, and the curve unchanged, without frames
    // or where the curve reads shared tables.
    static bool TakeFrames(DistortionCurve& curve, std::vector<WavFrame>& frames);

    // One channel of 32-bit floats at 44100 Hz; true when the file was written.
    static bool Export(const DistortionCurve* curve, const std::string& path);
};
