#include "dsp/units/path/Distortion.h"

#include "dsp/units/GlideTimes.h"
#include "dsp/units/SinPiPolynomial.h"
#include "dsp/units/SmootherStep.h"
#include "dsp/units/curves/CurveActions.h"
#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/curves/CurveReading.h"
#include "dsp/units/curves/DistortionDataProvider.h"
#include "dsp/units/curves/ShapeCatalogue.h"
#include "dsp/units/files/CurveArrayFile.h"
#include "dsp/units/files/CurveCsvFile.h"
#include "dsp/units/files/CurveText.h"
#include "dsp/units/files/CurveWavFile.h"
#include "dsp/units/path/DistortionWide.h"
#include "dsp/units/path/RoundedIndex.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

namespace Wezmark
{

namespace
{

constexpr double kInitialKeep = 0.99;
constexpr double kInitialiseKeep = 0.9777;
constexpr int kCompressorSlot = 81;
constexpr uint32_t kInterpolationSteps = 4;
constexpr uint32_t kPolaritySteps = 2;

// Library slot of each curve id; id 0 reads slot 0 where a slot is asked for.
constexpr std::array<int, kCurveIdCount> kLibrarySlots = {
    0,  1,  2,  3,  4,  5,  6,  18, 17, 34, 7,  8,  35, 36, 37, 9,  10, 11, 12, 52, 39,
    40, 45, 46, 47, 48, 13, 15, 16, 49, 50, 51, 54, 55, 56, 57, 27, 28, 32, 33, 29, 30,
    31, 14, 19, 20, 21, 22, 41, 42, 43, 44, 38, 23, 24, 25, 26, 53, 58, 60, 59, 61, 78,
    79, 62, 63, 64, 65, 66, 67, 69, 68, 76, 72, 73, 77, 75, 70, 74, 71, 80,
};

// Curves that drive hard on their own get less gain in the driving modes.
double CurveGainFactor(CurveId id)
{
    switch (id)
    {
    case 1:
    case 2:
    case 4:
        return 0.5;
    case 3:
    case 5:
    case 6:
    case 10:
        return 0.777;
    default:
        return 1.0;
    }
}

constexpr double kQuarterDriveFactor = 0.25;

void ClearChannelPair(ChannelPair& pair)
{
    if (pair.capacity <= 0)
        return;
    std::memset(pair.left, 0, sizeof(double) * static_cast<size_t>(pair.capacity));
    std::memset(pair.right, 0, sizeof(double) * static_cast<size_t>(pair.capacity));
}

template <size_t... Index>
std::array<DistortionCurve, sizeof...(Index)> MakeCurves(std::index_sequence<Index...>)
{
    return {((void)Index, DistortionCurve(Distortion::kCurvePoints))...};
}

// A curve without points reads 0 everywhere.
struct ZeroReading
{
    SamplePair AtPair(SamplePair) const { return SamplePair{}; }
};

struct Glide
{
    double keep;
    double take;
    double target;
    int32_t framesPerHostFrame;
};

// The wide look-ups where the processor has them (curve not null), and room for those of a
// gliding block.
struct WidePass
{
    const WideCurve* curve;
    ChannelPair& scratch;
};

// One pass over the block: each frame is cleaned, looked up, driven and mixed while its
// values are in registers, the mode decided once for the block. The wide pass, where there is
// one, takes a settled block.
template <bool kDriving, bool kFolding, class Reading>
void ShapeFramesIn(double* const io[2], int32_t frames, double gain, double scale, const Reading& reading,
                   const Glide& glide, const WidePass& wide, double& smoothed)
{
    double* left = io[0];
    double* right = io[1];
    // A settled amount is stepped once, not per frame: the later steps change nothing.
    const bool settled = SmootherStep(smoothed, glide.keep, glide.take, glide.target) == smoothed;
    double s = smoothed;
    double g = 0.0;
    double h = 0.0;
    const auto step = [&] {
        s = GlideOutStep(s, glide.keep, glide.take, glide.target);
        g = kDriving ? (s * gain + 1.0) * scale : 2.0 * s;
        h = s * 0.5;
        // Glided out: from here on the block passes as it came.
        return s != 0.0;
    };
    // A gliding block's samples looked up beforehand, where the wide look-ups serve.
    const double* lookedUp[2] = {nullptr, nullptr};
    const auto shape = [&](int32_t i) {
        const SamplePair dry = FiniteOrZero(SamplePair{left[i], right[i]});
        const SamplePair shaped =
            lookedUp[0] != nullptr ? SamplePair{lookedUp[0][i], lookedUp[1][i]} : reading.AtPair(dry);
        SamplePair wet = g * shaped;
        wet = wet < -1.0 ? SamplePair{-1.0, -1.0} : wet;
        wet = wet > 1.0 ? SamplePair{1.0, 1.0} : wet;
        if constexpr (kFolding)
        {
            // Reaches up to 2 in magnitude before the mix: 2 sin(wet pi / 2).
            SinPiNear(wet * 0.5, wet);
            wet = 2.0 * wet;
        }
        const SamplePair out = h * wet + (1.0 - h) * dry;
        left[i] = out[0];
        right[i] = out[1];
    };
    int32_t i = 0;
    if (settled)
    {
        if (step())
        {
            if (wide.curve != nullptr)
            {
                ShapeSettledWide(io, frames, *wide.curve, g, h, kFolding);
                i = frames;
            }
            for (; i < frames; ++i)
                shape(i);
        }
    }
    else
    {
        // The same look-ups as a settled block's, so that a block sounds the same whether its
        // amount settles at its start or within it.
        if (wide.curve != nullptr)
        {
            for (int32_t k = 0; k < frames; ++k)
            {
                wide.scratch.left[k] = FiniteOrZero(left[k]);
                wide.scratch.right[k] = FiniteOrZero(right[k]);
            }
            LookupBlockWide(*wide.curve, wide.scratch.left, wide.scratch.left, frames);
            LookupBlockWide(*wide.curve, wide.scratch.right, wide.scratch.right, frames);
            lookedUp[0] = wide.scratch.left;
            lookedUp[1] = wide.scratch.right;
        }
        for (; i < frames; ++i)
        {
            if (StepsAt(i, glide.framesPerHostFrame) && !step())
                break;
            shape(i);
        }
    }
    for (; i < frames; ++i)
    {
        left[i] = FiniteOrZero(left[i]);
        right[i] = FiniteOrZero(right[i]);
    }
    smoothed = s;
}

template <class Reading>
void ShapeFrames(double* const io[2], int32_t frames, const Distortion::Shaping& shaping, double drive,
                 const Reading& reading, const Glide& glide, const WidePass& wide, double& smoothed)
{
    switch (shaping.mode)
    {
    case Distortion::kDrive:
        ShapeFramesIn<true, false>(io, frames, drive, shaping.scale, reading, glide, wide, smoothed);
        break;
    case Distortion::kDriveAndFold:
        ShapeFramesIn<true, true>(io, frames, drive, shaping.scale, reading, glide, wide, smoothed);
        break;
    default:
        ShapeFramesIn<false, false>(io, frames, drive, shaping.scale, reading, glide, wide, smoothed);
        break;
    }
}

} // namespace

Distortion::Distortion(const DistortionDataProvider& library)
    : provider(library),
      curves(MakeCurves(std::make_index_sequence<kCurveIdCount>())),
      current(&curves[0]),
      compressorCurve(kCurvePoints),
      storedCurve(kCurvePoints),
      smoothKeep(kInitialKeep),
      smoothTake(1.0 - kInitialKeep),
      tunedKeep(kInitialKeep),
      sampleRate(GlideTimes::kTunedRate)
{
    Prepare(sampleRate, kInitialFrames);
}

void Distortion::Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame)
{
    sampleRate = rate;
    ApplyPace();
    mWide = AvailableSimdLevel() == SimdLevel::kAvx2Fma;
    for (ChannelPair* pair : {&work, &leavingScratch})
    {
        ResizeChannelPair(*pair, maxFrames);
        ClearChannelPair(*pair);
    }
    shapingCrossfade.SetBlockSize(maxFrames);
    this->framesPerHostFrame = framesPerHostFrame;
}

void Distortion::ApplyPace()
{
    smoothKeep = GlideTimes::Keep(tunedKeep, sampleRate);
    smoothTake = 1.0 - smoothKeep;
}

void Distortion::EndGlides()
{
    smoothedAmount = TargetAmount();
    if (current != nullptr)
        shapingCrossfade.TakeAtOnce(ShapingOf(current));
}

void Distortion::Init()
{
    LoadBuiltinCurves();
    const CurveSlot& compressor = provider.slots[kCompressorSlot];
    compressorCurve.SetPoints(compressor.points.data(), static_cast<int32_t>(compressor.points.size()));
    storedCurve.SetIdentity();
    current = &curves[0];
    tunedKeep = kInitialiseKeep;
    ApplyPace();
    for (CurveId id = 0; id < kCurveIdCount; ++id)
    {
        curveById[id] = &curves[id];
        curves[id].name = GetDistortionShapeName(id);
    }
}

void Distortion::LoadBuiltinCurves()
{
    curves[0].SetIdentity();
    for (CurveId id = 1; id < kCurveIdCount; ++id)
    {
        const CurveSlot& slot = provider.slots[kLibrarySlots[id]];
        curves[id].SetPoints(slot.points.data(), static_cast<int32_t>(slot.points.size()));
    }
}

const double* Distortion::GetBuiltinCurveData(CurveId id) const
{
    const int slot = id < kCurveIdCount ? kLibrarySlots[id] : 0;
    const std::vector<double>& points = provider.slots[slot].points;
    return points.empty() ? nullptr : points.data();
}

void Distortion::SelectCurve(double v)
{
    currentId = RoundedIndex(std::clamp(v, 0.0, 1.0) * kLastCurveId);
    if (currentId >= kCurveIdCount)
        currentId = 0;
    DistortionCurve* selected = curveById[currentId];
    current = selected != nullptr ? selected : &curves[0];
}

void Distortion::SetInterpolation(double v)
{
    const uint32_t interpolation = RoundedIndex(kInterpolationSteps * v);
    for (DistortionCurve* curve : curveById)
        if (curve != nullptr)
            curve->interpolation = interpolation;
}

void Distortion::SetPolarity(double v)
{
    const uint32_t polarity = RoundedIndex(kPolaritySteps * std::clamp(v, 0.0, 1.0));
    for (DistortionCurve* curve : curveById)
        if (curve != nullptr)
            curve->polarity = polarity;
}

double Distortion::GainScale() const
{
    return CurveGainFactor(currentId) * (filterMode == kQuarterDrive ? kQuarterDriveFactor : 1.0);
}

double Distortion::TargetAmount() const
{
    return bypassed ? 0.0 : amount;
}

void Distortion::BeginBlock()
{
    if ((TargetAmount() == 0.0 && smoothedAmount == 0.0) || current == nullptr)
        return;
    current->PrepareTable();
    if (shapingCrossfade.Fading() && shapingCrossfade.Leaving().curve != current)
        shapingCrossfade.Leaving().curve->PrepareTable();
}

Distortion::Shaping Distortion::ShapingOf(DistortionCurve* curve) const
{
    return Shaping{curve, mode, GainScale()};
}

void Distortion::Process(double* const io[2], int32_t frames)
{
    if (current == nullptr)
        return;
    const Shaping wanted = ShapingOf(current);
    // Glided out, nothing processed since the buffers were sized, or too long a block to copy:
    // nothing to crossfade from.
    if (!shapingCrossfade.HeardYet() || (TargetAmount() == 0.0 && smoothedAmount == 0.0) || !shapingCrossfade.Fits(frames))
        shapingCrossfade.TakeAtOnce(wanted);
    const bool fadeStarts = !shapingCrossfade.Fading();
    if (!shapingCrossfade.Follow(wanted))
    {
        ProcessDetached(io, frames, wanted, current->ReadTable(), work, smoothedAmount, framesPerHostFrame);
        return;
    }
    const Shaping& leavingShaping = shapingCrossfade.Leaving();
    if (fadeStarts)
        leavingShaping.curve->PrepareTable();
    double* leaving[2];
    shapingCrossfade.CopyForLeaving(io, frames, leaving);
    // Both shapings follow the same amount.
    double leavingSmoothed = smoothedAmount;
    ProcessDetached(leaving, frames, leavingShaping, leavingShaping.curve->ReadTable(), leavingScratch,
                    leavingSmoothed, framesPerHostFrame);
    const Shaping& heardShaping = shapingCrossfade.Heard();
    ProcessDetached(io, frames, heardShaping, heardShaping.curve->ReadTable(), work, smoothedAmount,
                    framesPerHostFrame);
    shapingCrossfade.Blend(io, frames, smoothKeep, smoothTake, framesPerHostFrame);
}

void Distortion::ProcessDetached(double* const io[2], int32_t frames, const Shaping& shaping, const double* table,
                                 ChannelPair& scratch, double& smoothed, int32_t framesPerHostFrame) const
{
    // Switched off or at an amount of exactly 0, the unit glides out and then stops.
    const double target = TargetAmount();
    if ((target == 0.0 && smoothed == 0.0) || frames < 1 || frames > scratch.capacity)
        return;
    const Glide glide{smoothKeep, smoothTake, target, framesPerHostFrame};
    const DistortionCurve& curve = *shaping.curve;
    if (table == nullptr || curve.count == 0)
    {
        ShapeFrames(io, frames, shaping, drive, ZeroReading{}, glide, WidePass{nullptr, scratch}, smoothed);
        return;
    }
    const std::optional<WideCurve> wide = mWide ? WideCurveOf(curve, table) : std::nullopt;
    const WidePass widePass{wide ? &*wide : nullptr, scratch};
    curve.WithReading(table, [&](const auto& reading) {
        ShapeFrames(io, frames, shaping, drive, reading, glide, widePass, smoothed);
    });
}

void Distortion::ApplyCurveAction(uint32_t action)
{
    if (current == nullptr)
        return;
    CurveActionSources sources;
    sources.compressor = &compressorCurve;
    sources.builtinPoints = GetBuiltinCurveData(currentId);
    sources.builtinCount = sources.builtinPoints != nullptr ? kCurvePoints : 0;
    RunCurveAction(*current, action, sources);
}

void Distortion::RestoreCurve()
{
    if (current == nullptr || storedCurve.points.data == nullptr || current->count != kCurvePoints)
        return;
    current->SetPoints(storedCurve.points.data, storedCurve.count);
}

void Distortion::CopyCurveFrom(const Distortion& other)
{
    if (current == nullptr || other.current == nullptr || current == other.current)
        return;
    current->CopyFrom(*other.current);
}

std::string& Distortion::CurveToText(std::string& text) const
{
    if (current == nullptr)
    {
        text.clear();
        return text;
    }
    return CurveText::Write(*current, text);
}

bool Distortion::CurveFromText(std::string_view text)
{
    return current != nullptr && CurveText::Read(*current, text);
}

bool Distortion::ImportCsv(const std::string& path)
{
    return CurveCsvFile::Import(current, path);
}

bool Distortion::ImportWav(const std::string& path)
{
    return CurveWavFile::Import(current, path);
}

bool Distortion::ExportWav(const std::string& path) const
{
    return CurveWavFile::Export(current, path);
}

bool Distortion::ExportCArray(const std::string& path) const
{
    return CurveArrayFile::Export(current, path);
}

} // namespace Wezmark
