#include "dsp/units/files/CurveWavFile.h"

#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/curves/DistortionCurve.h"
#include "dsp/units/files/Resampler.h"
#include "dsp/units/files/WavFile.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
// Outputs asked of the resampler beyond the points, as margin for its last steps.
constexpr int32_t kExtraOutputs = 4;

void SetFloatFormat(WavFile& wav, const std::string& path)
{
    wav.path = path;
    wav.sampleSize = 4;
    wav.format = WavFile::kIeeeFloat;
    wav.sampleRate = CurveWavFile::kExportRate;
    wav.channels = 1;
}

void NormalizeFrames(std::vector<WavFrame>& frames)
{
    double peak = 0.0;
    for (WavFrame& frame : frames)
    {
        // Non-finite samples would decide the peak and wipe out every other sample.
        frame.left = FiniteOrZero(frame.left);
        frame.right = FiniteOrZero(frame.right);
        peak = std::max(peak, std::fabs(frame.left));
    }
    if (peak == 0.0)
        return;
    const double scale = 1.0 / peak;
    for (WavFrame& frame : frames)
    {
        frame.left *= scale;
        frame.right *= scale;
    }
}

void ResampleInto(const std::vector<WavFrame>& frames, DistortionCurve& curve)
{
    const int32_t frameCount = static_cast<int32_t>(frames.size());
    const int32_t outCount = curve.count + kExtraOutputs;
    Resampler resampler;
    resampler.Reset();
    resampler.SetRates(std::max(1, frameCount), curve.count);
    const Resampler::InputRoom room = resampler.Prepare(outCount);
    const int32_t written = std::min(frameCount, room.count);
    for (int32_t i = 0; i < written; ++i)
        room.data[i] = frames[i].left;
    std::vector<double> out(outCount, 0.0);
    resampler.ResampleOut(out.data(), written, outCount);
    double* const points = curve.EditablePoints();
    for (int32_t i = 0; i < curve.count; ++i)
        points[i] = FiniteOrZero(out[i]);
    ClampCurvePoints(points, curve.count);
}
}

bool CurveWavFile::Import(DistortionCurve* curve, const std::string& path)
{
    if (curve == nullptr)
        return false;
    WavFile wav;
    SetFloatFormat(wav, path);
    return wav.Read() && TakeFrames(*curve, wav.frames);
}

bool CurveWavFile::TakeFrames(DistortionCurve& curve, std::vector<WavFrame>& frames)
{
    double* const points = curve.EditablePoints();
    if (frames.empty() || points == nullptr)
        return false;
    NormalizeFrames(frames);
    if (frames.size() == curve.count)
    {
        for (int32_t i = 0; i < curve.count; ++i)
            points[i] = frames[i].left;
    }
    else
    {
        ResampleInto(frames, curve);
    }
    curve.Normalize();
    return true;
}

bool CurveWavFile::Export(const DistortionCurve* curve, const std::string& path)
{
    if (curve == nullptr)
        return false;
    WavFile wav;
    SetFloatFormat(wav, path);
    wav.frames.reserve(curve->count);
    for (int32_t i = 0; i < curve->count; ++i)
        wav.frames.push_back({curve->Points()[i], 0.0});
    return wav.Write();
}
