#include "plugin/Zarvotone.h"

#include "dsp/units/curves/CurvePoints.h"
#include "framework/ScopedLock.h"
#include "plugin/StateBlock.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

bool Zarvotone::SerializeState(StateChunk& chunk)
{
    ScopedLock lock(mLock);
    if (!StateBlock::AppendHead(chunk, mConfig))
        return false;
    // The curve's own points, not the ones processing reads, which polarity reshapes.
    const DistortionCurve* curve = StateCurve();
    for (int32_t i = 0; i < StateBlock::kCurvePoints; ++i)
    {
        const bool held = curve != nullptr && i < curve->count;
        if (!chunk.AppendDouble(held ? curve->Points()[i] : 0.0))
            return false;
    }
    return SerializeParams(chunk);
}

int Zarvotone::UnserializeState(const StateChunk& chunk, int start)
{
    // Read before the plug-in lock is taken, so a block waits only while the state goes in; the
    // state lock keeps the copy this load's.
    ScopedLock stateLock(mStateLock);
    if (!StateBlock::IsWhole(chunk, start))
        return -1;
    mIncoming.Read(chunk, start);
    const CurveId loadedId = Wezmark::Distortion::CurveIdOf(mIncoming.values[kParamDistortionType]);
    const bool builtIn = mUnits.builtinCurves->AreBuiltIn(mIncoming.curve.data(), loadedId);
    ScopedLock lock(mLock);
    // A curve of its own needs room. Off the audio thread it is made here; on it (a program
    // chosen inside processing) a state whose curve has no room made beforehand is refused whole.
    if (!InAudioCall() && !builtIn)
        ReserveCurveStorage();
    const std::array<DistortionChain*, 5> chains = mUnits.Chains();
    if (!std::all_of(chains.begin(), chains.end(), [&](const DistortionChain* chain) {
            return chain->distortion.CanHoldLoadedCurve(mIncoming.curve.data(), loadedId);
        }))
        return -1;
    // The stored reserved doubles are not read: this instance's own always stay.
    StateBlock::ReadConfig(chunk, start, mConfig);
    for (DistortionChain* chain : chains)
        chain->distortion.HoldLoadedCurve(mIncoming.curve.data(), loadedId);
    // The parameters take their values at once; while the output is heard, the units take them
    // at the quiet point of a fade, the values of any parameter set meanwhile with them.
    if (OutputHeard())
        mProgramFade.Request();
    for (int index = 0; index < kTotalParamCount; ++index)
        GetParam(index)->SetPlain(mIncoming.values[static_cast<size_t>(index)]);
    ApplyLoadedValues();
    if (mGraphics)
        mDueDisplays.MarkViewSettings();
    return static_cast<int>(start + StateBlock::kSize);
}

// Applying the values selected each chain's curve, whose points the stored curve now replaces.
void Zarvotone::RestoreLoadedCurve()
{
    for (DistortionChain* chain : mUnits.Chains())
        chain->distortion.RestoreCurve();
    RequestCurveEditorRefresh();
}

// While a program change waits for its quiet point, the units and the curve wait with it.
void Zarvotone::ApplyLoadedValues()
{
    mLoadingValues = true;
    for (int index = 0; index < GetParamCount(); ++index)
        ApplyParamChange(index);
    mLoadingValues = false;
    if (!mProgramFade.Pending())
        RestoreLoadedCurve();
}

void Zarvotone::EndProgramFade()
{
    const bool pending = mProgramFade.Pending();
    mProgramFade.Stop();
    if (pending)
        ApplyLoadedValues();
}

const DistortionCurve* Zarvotone::StateCurve() const
{
    const Wezmark::Distortion& distortion = mUnits.hostRate.chain1.distortion;
    return mProgramFade.Pending() ? &distortion.storedCurve : distortion.current;
}

// What UnserializeState and SerializeState would make of the block, worked out on copies: the
// settings over the current ones, the curve as a chain takes it, the values as the parameters
// and the band link leave them.
int Zarvotone::PrepareState(const StateChunk& chunk, int start, StateChunk& prepared)
{
    if (!StateBlock::IsWhole(chunk, start))
        return -1;
    auto config = std::make_unique<PluginConfig>();
    {
        ScopedLock lock(mLock);
        *config = mConfig;
    }
    StateBlock::ReadConfig(chunk, start, *config);
    if (!StateBlock::AppendHead(prepared, *config))
        return -1;

    std::vector<double> curve(StateBlock::kCurvePoints);
    for (int32_t i = 0; i < StateBlock::kCurvePoints; ++i)
        curve[static_cast<size_t>(i)] = StateBlock::ReadCurvePoint(chunk, start, i);
    ClampCurvePoints(curve.data(), StateBlock::kCurvePoints);
    for (double point : curve)
        if (!prepared.AppendDouble(point))
            return -1;

    std::array<double, kTotalParamCount> values{};
    int position = static_cast<int>(start + StateBlock::kParamsOffset);
    for (int i = 0; i < kTotalParamCount; ++i)
    {
        double stored = 0.0;
        position = chunk.ReadDouble(stored, position);
        values[static_cast<size_t>(i)] = GetParam(i)->Limit(stored);
    }
    LinkBandCutoffs(values);
    for (double value : values)
        if (!prepared.AppendDouble(value))
            return -1;
    return position;
}

bool Zarvotone::MatchesValues(const double* values, int start)
{
    if (values == nullptr || start < 0)
        return false;
    ScopedLock lock(mLock);
    const DistortionCurve* curve = StateCurve();
    const bool curveMatches = curve != nullptr && curve->count == StateBlock::kCurvePoints &&
                              std::memcmp(curve->Points(), values + start,
                                          sizeof(double) * StateBlock::kCurvePoints) == 0;
    const bool valuesMatch = ZarvotoneBinding::MatchesValues(values, start + StateBlock::kCurvePoints);
    return curveMatches && valuesMatch;
}
