#include "dsp/units/path/Distortion.h"

#include "dsp/units/GlideTimes.h"
#include "dsp/units/TimeConstants.h"
#include "dsp/units/SinPiPolynomial.h"
#include "dsp/units/SmootherStep.h"
#include "dsp/units/curves/BuiltinCurves.h"
#include "dsp/units/curves/CurveActions.h"
#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/curves/CurveReading.h"
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

constexpr uint32_t kPolaritySteps = 2;

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
std::array<DistortionCurve, sizeof...(Index)> MakeCurves(const SharedCurveTables& tables, std::index_sequence<Index...>)
{
    return {((void)Index, DistortionCurve(tables))...};
}

// Whether the n points of `state`, cleaned as SetPoints cleans them, are exactly `clean`.
bool CleansTo(const double* state, const double* clean, int32_t n)
{
    for (int32_t i = 0; i < n; ++i)
    {
        const double cleaned = ClampToUnit(FiniteOrZero(state[i]));
        if (std::memcmp(&cleaned, &clean[i], sizeof cleaned) != 0)
            return false;
    }
    return true;
}

// A curve without points reads 0 everywhere.
struct ZeroReading
{
    SamplePair AtPair(SamplePair) const { return SamplePair{}; }
};

// One pass over the block: each frame is cleaned, looked up, driven and mixed while its
// values are in registers, the mode decided once for the block. The wide passes, where the
// processor has them (`wide` not null), take the block whether its amount glides or not.
template <bool kDriving, bool kFolding, class Reading>
void ShapeFramesIn(double* const io[2], int32_t frames, double gain, double scale, const Reading& reading,
                   const AmountGlide& glide, const WideCurve* wide, double& smoothed)
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
    const auto shape = [&](int32_t i) {
        const SamplePair dry = FiniteOrZero(SamplePair{left[i], right[i]});
        SamplePair wet = g * reading.AtPair(dry);
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
            if (wide != nullptr)
            {
                ShapeSettledWide(io, frames, *wide, g, h, kFolding);
                i = frames;
            }
            for (; i < frames; ++i)
                shape(i);
        }
    }
    else if (wide != nullptr)
    {
        // The same look-ups as a settled block's, so that a block sounds the same whether its
        // amount settles at its start or within it.
        i = ShapeGlidingWide(io, frames, *wide, glide, AmountDrive{kDriving, gain, scale}, kFolding, s);
    }
    else
    {
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
                 const Reading& reading, const AmountGlide& glide, const WideCurve* wide, double& smoothed)
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

Distortion::Distortion(const BuiltinCurves& builtinCurves)
    : builtins(builtinCurves),
      curves(MakeCurves(builtins.ForId(0), std::make_index_sequence<kCurveIdCount>())),
      current(&curves[0]),
      compressorCurve(builtins.Compressor()),
      storedCurve(builtins.ForId(0)),
      smoothKeep(TimeConstants::kUnpreparedKeep),
      smoothTake(1.0 - TimeConstants::kUnpreparedKeep),
      tunedKeep(TimeConstants::kUnpreparedKeep),
      sampleRate(GlideTimes::kTunedRate)
{
    Prepare(sampleRate, kInitialFrames);
}

void Distortion::Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame)
{
    sampleRate = rate;
    ApplyPace();
    mWide = AvailableSimdLevel() == SimdLevel::kAvx2Fma;
    ResizeChannelPair(work, maxFrames);
    ClearChannelPair(work);
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
    current = &curves[0];
    tunedKeep = TimeConstants::kDistortionKeep;
    ApplyPace();
    for (CurveId id = 0; id < kCurveIdCount; ++id)
    {
        curveById[id] = &curves[id];
        curves[id].name = GetDistortionShapeName(id);
    }
}

void Distortion::LoadBuiltinCurves()
{
    // Edits are dropped with the arrays that held them.
    for (CurveId id = 0; id < kCurveIdCount; ++id)
        (void)curves[id].Share(builtins.ForId(id));
}

const double* Distortion::GetBuiltinCurveData(CurveId id) const
{
    const std::vector<double>& points = builtins.Library().slots[BuiltinCurves::LibrarySlotOf(id)].points;
    return points.empty() ? nullptr : points.data();
}

CurveId Distortion::CurveIdOf(double v)
{
    const CurveId id = RoundedIndex(std::clamp(v, 0.0, 1.0) * kLastCurveId);
    return id < kCurveIdCount ? id : 0;
}

void Distortion::SelectCurve(double v)
{
    currentId = CurveIdOf(v);
    DistortionCurve* selected = curveById[currentId];
    current = selected != nullptr ? selected : &curves[0];
}

uint32_t Distortion::InterpolationOf(double v)
{
    return RoundedIndex(kInterpolationSteps * v);
}

// Both modes are read before they are written: dense automation gives the same mode again at
// every piece, and reading every curve costs less than writing to each of them.
void Distortion::SetInterpolation(double v)
{
    const uint32_t interpolation = InterpolationOf(v);
    for (DistortionCurve* curve : curveById)
        if (curve != nullptr && curve->interpolation != interpolation)
            curve->interpolation = interpolation;
}

void Distortion::SetPolarity(double v)
{
    const uint32_t polarity = RoundedIndex(kPolaritySteps * std::clamp(v, 0.0, 1.0));
    for (DistortionCurve* curve : curveById)
        if (curve != nullptr && curve->polarity != polarity)
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
        ProcessDetached(io, frames, wanted, current->ReadTable(), work.capacity, smoothedAmount, framesPerHostFrame);
        return;
    }
    const Shaping& leavingShaping = shapingCrossfade.Leaving();
    if (fadeStarts)
        leavingShaping.curve->PrepareTable();
    double* leaving[2];
    shapingCrossfade.CopyForLeaving(io, frames, leaving);
    // Both shapings follow the same amount.
    double leavingSmoothed = smoothedAmount;
    ProcessDetached(leaving, frames, leavingShaping, leavingShaping.curve->ReadTable(), work.capacity,
                    leavingSmoothed, framesPerHostFrame);
    const Shaping& heardShaping = shapingCrossfade.Heard();
    ProcessDetached(io, frames, heardShaping, heardShaping.curve->ReadTable(), work.capacity, smoothedAmount,
                    framesPerHostFrame);
    shapingCrossfade.Blend(io, frames, smoothKeep, smoothTake, framesPerHostFrame);
}

void Distortion::ProcessDetached(double* const io[2], int32_t frames, const Shaping& shaping, const double* table,
                                 int32_t longest, double& smoothed, int32_t framesPerHostFrame) const
{
    // Switched off or at an amount of exactly 0, the unit glides out and then stops.
    const double target = TargetAmount();
    if ((target == 0.0 && smoothed == 0.0) || frames < 1 || frames > longest)
        return;
    const AmountGlide glide{smoothKeep, smoothTake, target, framesPerHostFrame};
    const DistortionCurve& curve = *shaping.curve;
    if (table == nullptr || curve.count == 0)
    {
        ShapeFrames(io, frames, shaping, drive, ZeroReading{}, glide, nullptr, smoothed);
        return;
    }
    const std::optional<WideCurve> wide = mWide ? WideCurveOf(curve, table) : std::nullopt;
    const WideCurve* wideOrNone = wide ? &*wide : nullptr;
    curve.WithReading(table, [&](const auto& reading) {
        ShapeFrames(io, frames, shaping, drive, reading, glide, wideOrNone, smoothed);
    });
}

void Distortion::ReserveStorage()
{
    if (!mSpare.Holds())
        mSpare = CurveArrays::Sized(kCurvePoints);
    if (storedCurve.Shares())
        storedCurve.Own(CurveArrays::Sized(kCurvePoints));
}

bool Distortion::CanEditCurrent() const
{
    return current != nullptr && (!current->Shares() || mSpare.Holds());
}

bool Distortion::CanEditCurrentAndStored() const
{
    const int spares = mSpare.Holds() ? 1 : 0;
    return current != nullptr && (current->Shares() ? 1 : 0) + (storedCurve.Shares() ? 1 : 0) <= spares;
}

DistortionCurve* Distortion::GivePointsOfItsOwn(DistortionCurve& curve)
{
    if (curve.Shares())
    {
        if (!mSpare.Holds())
            return nullptr;
        curve.Own(std::exchange(mSpare, CurveArrays{}));
    }
    return &curve;
}

DistortionCurve* Distortion::EditableCurrent()
{
    return current != nullptr ? GivePointsOfItsOwn(*current) : nullptr;
}

DistortionCurve* Distortion::EditableStored()
{
    return GivePointsOfItsOwn(storedCurve);
}

bool Distortion::CanHoldLoadedCurve(const double* points, CurveId loadedId) const
{
    return !storedCurve.Shares() || mSpare.Holds() || builtins.AreBuiltIn(points, loadedId);
}

bool Distortion::HoldLoadedCurve(const double* points, CurveId loadedId)
{
    if (storedCurve.count != kCurvePoints || !CanHoldLoadedCurve(points, loadedId))
        return false;
    if (storedCurve.Shares() && builtins.AreBuiltIn(points, loadedId))
    {
        (void)storedCurve.Share(builtins.ForId(loadedId));
        return true;
    }
    double* const stored = EditableStored()->EditablePoints();
    std::copy(points, points + kCurvePoints, stored);
    return true;
}

void Distortion::ApplyCurveAction(uint32_t action)
{
    if (action >= kNoCurveAction)
        return;
    DistortionCurve* curve = EditableCurrent();
    if (curve == nullptr)
        return;
    CurveActionSources sources;
    sources.compressor = &compressorCurve;
    sources.builtinPoints = GetBuiltinCurveData(currentId);
    sources.builtinCount = sources.builtinPoints != nullptr ? kCurvePoints : 0;
    RunCurveAction(*curve, action, sources);
}

void Distortion::RestoreCurve()
{
    if (current == nullptr || current->count != kCurvePoints || storedCurve.count != kCurvePoints)
        return;
    const double* stored = storedCurve.Points();
    if (!current->Shares())
    {
        current->SetPoints(stored, kCurvePoints);
        return;
    }
    if (const SharedCurveTables* tables = storedCurve.SharedTables())
    {
        (void)current->Share(*tables);
        return;
    }
    // Points of its own only where they differ from the tables it reads.
    if (CleansTo(stored, current->Points(), kCurvePoints))
        return;
    if (!mSpare.Holds())
    {
        // The stored points become the current curve's; the stored curve holds the identity
        // ramp until the next state.
        current->Adopt(storedCurve.Share(builtins.ForId(0)));
        current->SetPoints(current->Points(), kCurvePoints);
        return;
    }
    current->Own(std::exchange(mSpare, CurveArrays{}));
    current->SetPoints(stored, kCurvePoints);
}

void Distortion::CopyCurveFrom(const Distortion& other)
{
    if (current == nullptr || other.current == nullptr || current == other.current)
        return;
    if (current->Shares() && other.current->Shares())
    {
        current->CopyFrom(*other.current);
        return;
    }
    if (DistortionCurve* curve = EditableCurrent())
        curve->CopyFrom(*other.current);
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
    DistortionCurve* curve = EditableCurrent();
    return curve != nullptr && CurveText::Read(*curve, text);
}

bool Distortion::ImportCsv(const std::string& path)
{
    return CurveCsvFile::Import(EditableCurrent(), path);
}

bool Distortion::ImportWav(const std::string& path)
{
    return CurveWavFile::Import(EditableCurrent(), path);
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
