#include "plugin/Zarvotone.h"

#include "framework/ScopedLock.h"
#include "framework/StateChunk.h"
#include "plugin/FactoryBank.h"
#include "dsp/units/GlideTimes.h"
#include "dsp/units/TimeConstants.h"
#include "plugin/HostDisplayName.h"
#include "plugin/ParameterTable.h"
#include "plugin/RedrawControl.h"
#include "plugin/StateBlock.h"
#include "plugin/ZarvotoneProgram.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace
{
constexpr double kInitialTempo = 120.0;
constexpr std::array<double, PluginConfig::kReservedCount> kReservedConfig = {1.0, 1.0, 0.0, 5302.0};

constexpr double kSaturatorMixThreshold = 0.25;
constexpr double kSaturatorMixSlope = 4.0;
// The quiet point's work goes in over steps (TimeConstants::kQuietPointStepSeconds apart), each
// costing no more than about a 64-frame block does. Units start afresh, so that they take their
// new settings at once where they can (the filter section's designs cannot: clearing them after
// the values ends their glides); the values go in, in groups; the filter section and then the
// other units start afresh on them; the loaded curve comes back; the slow glides end on their
// targets.
constexpr int32_t kQuietPointValueGroups = 3;
enum QuietPointStep : int32_t
{
    kClearAllButFilterSection,
    kFirstValueGroup,
    kClearFilterSection = kFirstValueGroup + kQuietPointValueGroups,
    kClearOtherUnitsAndRestoreCurve,
    kEndGlides,
    kQuietPointSteps,
};
constexpr double kSubBandDistortionStart = 0.25;
constexpr double kCentredPan = 0.5;
constexpr double kUnityVolume = 1.0;

// Beyond this the block routine works in slices, so a host's huge block size costs no memory.
constexpr int32_t kMaxPreparedFrames = 16384;

constexpr char kPluginKind[] = "VST";
constexpr char kPlatform[] = "WIN";
constexpr char kWordSize[] = "64-bit";

void ZeroPair(ChannelPair& pair)
{
    if (pair.capacity <= 0)
        return;
    std::memset(pair.left, 0, sizeof(double) * static_cast<size_t>(pair.capacity));
    std::memset(pair.right, 0, sizeof(double) * static_cast<size_t>(pair.capacity));
}
}

Zarvotone::Zarvotone(ZarvotoneHost host) : ZarvotoneBinding(host), mLastTempo(kInitialTempo)
{
    mConfig.SetDefaults();
    std::copy(kReservedConfig.begin(), kReservedConfig.end(), mConfig.Reserved.begin());
    InitDspState();
    BuildFactoryPresets();
    DefineParameters();
    // A new instance holds the first program, the one the host is told is current: its values
    // are what the host reads and what processing applies once the host opens the effect.
    for (int index = 0; index < kWorkingParamCount; ++index)
        GetParam(index)->SetPlain(mCurrentValues.Get(index));
    BuildEditor(CreateEditor());
}

void Zarvotone::InitDspState()
{
    for (DistortionChain* chain : mUnits.Chains())
        chain->distortion.Init();
    Wezmark::ZarvotoneProgram::ResetToDefaults(mCurrentValues);
    mMeterResetRequest.store(false);
    mPendingCurveAction.store(kNoCurveAction);

    for (Wezmark::Saturator* saturator : mUnits.Saturators())
    {
        saturator->LoadCurve(*mUnits.builtinCurves);
        saturator->mixThreshold = kSaturatorMixThreshold;
        saturator->mixSlope = kSaturatorMixSlope;
    }
    for (RateStages* stages : mUnits.BothRates())
    {
        stages->input.gainTarget = 1.0;
        stages->input.offsetSetting = Wezmark::InputProcessor::kNoOffset;
    }

    Wezmark::SubBandProcessor& subBand = mUnits.subBand;
    subBand.subGain = 1.0;
    subBand.distoGain = 1.0;
    mUnits.chain3.distortion.amount = kSubBandDistortionStart;

    SetGlidePaces(GlideTimes::kTunedRate);
    mPanSmoother.value = kCentredPan;
    mVolumeSmoother.value = kUnityVolume;
    mVolumeGlideTarget = kUnityVolume;
    mDryWetSmoother.Jump(0.0);
    mBypass.Restart();

    mUnits.levelMeter.SetTimes(TimeConstants::kMeterAttackSeconds, TimeConstants::kMeterReleaseSeconds);

    mScope.Remake(ScopeBuffer::kCapacity);

    // Room for a parameter's whole name.
    char name[IParameter::kNameSize];
    for (int index = kFirstReservedParam; index < kTotalParamCount; ++index)
    {
        FormatReservedParamName(index, name, IParameter::kNameSize);
        DefineParameter(index, name, kReservedDefault, kReservedMinimum, kParamMaximum, kReservedStep, "",
                        kReservedGroup, kParamShape);
    }
}

void Zarvotone::BuildFactoryPresets()
{
    const std::vector<Wezmark::ZarvotoneProgram> bank = CreateFactoryPrograms();
    mCurrentValues = bank.front().Values();
    // Blocks in the state block's layout, carrying this moment's editor settings (the defaults),
    // so selecting a factory preset also resets the view and the last used paths.
    for (const Wezmark::ZarvotoneProgram& program : bank)
    {
        StateChunk chunk;
        bool built = StateBlock::AppendHead(chunk, mConfig);
        for (double value : program.ToPresetValues(mUnits.hostRate.chain1.distortion))
            built = built && chunk.AppendDouble(value);
        if (built)
            AddFactoryPreset(program.Name().c_str(), chunk);
    }
}

// The working parameters from the one table, before anything reads them.
void Zarvotone::DefineParameters()
{
    for (int index = 0; index < kWorkingParamCount; ++index)
    {
        const ParameterDefinition& definition = GetParameterDefinition(index);
        DefineParameter(index, definition.name, definition.defaultValue, definition.minimum, kParamMaximum,
                        definition.step, definition.label, definition.group, kParamShape);
    }
}

void Zarvotone::DefineParameter(int index, const char* name, double defaultValue, double minimum,
                                double maximum, double step, const char* label, const char* group, double shape)
{
    if (IParameter* param = GetParam(index))
        param->InitContinuous(name, defaultValue, minimum, maximum, step, label, group, shape);
}

// The glides, fades and crossfades of the block routine, at `rate`; the units pace their own.
void Zarvotone::SetGlidePaces(double rate)
{
    using namespace TimeConstants;
    mPanSmoother.SetCoefficient(GlideTimes::Keep(kPanKeep, rate));
    mDryWetSmoother.SetCoefficient(GlideTimes::Keep(kDryWetKeep, rate));
    mVolumeRiseKeep = GlideTimes::Keep(kVolumeRiseKeep, rate);
    mVolumeFallKeep = GlideTimes::Keep(kVolumeFallKeep, rate);
    mVolumeSmoother.SetCoefficient(mVolumeFallKeep);
    // A new pace is chosen at the next block.
    mVolumeGlideTarget = std::numeric_limits<double>::quiet_NaN();
    mBypass.SetCoefficient(GlideTimes::Keep(kBypassKeep, rate));
    mBypass.SetWarmUpFrames(GlideTimes::Frames(kPathWarmUpSeconds, rate));
    mOversamplingSwitch.SetFrames(GlideTimes::Frames(kPathWarmUpSeconds, rate),
                                  GlideTimes::Frames(kOversamplingCrossfadeSeconds, rate));
    mProgramFade.SetFrames(GlideTimes::Frames(kProgramFadeSeconds, rate),
                           GlideTimes::Frames(kProgramSettleWindowSeconds, rate), kProgramShortestSettleWindows,
                           kProgramLongestSettleWindows);
    mProgramFade.SetSteps(kQuietPointSteps, GlideTimes::Frames(kQuietPointStepSeconds, rate));
}

void Zarvotone::OnBlockPassedBy()
{
    if (!mProgramFade.Pending())
        return;
    ApplyAtQuietPoint();
    mProgramFade.Stop();
}

bool Zarvotone::OutputHeard() const
{
    return mProcessingActive.load(std::memory_order_relaxed) && mPreparedFrames > 0 && !mFirstBlockAfterPrepare;
}

void Zarvotone::ApplyAtQuietPoint()
{
    mProgramFade.Applied();
    for (int32_t step = 0; step < kQuietPointSteps; ++step)
        TakeQuietPointStep(step);
}

// What is not done here settles before the new program is heard.
void Zarvotone::TakeQuietPointStep(int32_t step)
{
    if (step == kClearAllButFilterSection)
    {
        mUnits.ResetAllButFilterSection();
        return;
    }
    if (step < kClearFilterSection)
    {
        const int group = step - kFirstValueGroup;
        const int count = GetParamCount();
        mLoadingValues = true;
        for (int index = group * count / kQuietPointValueGroups;
             index < (group + 1) * count / kQuietPointValueGroups; ++index)
            ApplyParamChange(index);
        mLoadingValues = false;
        return;
    }
    if (step == kClearFilterSection)
    {
        mUnits.filter.Reset();
        return;
    }
    if (step == kClearOtherUnitsAndRestoreCurve)
    {
        RestoreLoadedCurve();
        mUnits.ResetAllButFilterSection();
        return;
    }
    mUnits.EndGlides();
    // The settling time is the warm-up of a path that starts here: no crossfade of the two rates.
    const bool oversampled = OversamplingWanted();
    if (!mOversamplingSwitch.Runs(oversampled))
    {
        mUnits.Stages(oversampled).TakeGlidesFrom(mUnits.Stages(!oversampled));
        mUnits.ResetOversamplers();
    }
    mOversamplingSwitch.Adopt(oversampled);
    mVolumeSmoother.value = mCurrentValues.Get(kParamVolume);
    mVolumeGlideTarget = mVolumeSmoother.value;
    mPanSmoother.value = mCurrentValues.Get(kParamPan);
    mDryWetSmoother.Jump(mCurrentValues.Get(kParamDryWet));
}

void Zarvotone::Reset()
{
    ScopedLock lock(mLock);
    RedrawControl(mControls.hostInfoText);
    EndProgramFade();
    // Nothing plays until every buffer has its new size, even if sizing fails half way.
    mPreparedFrames = 0;
    const int32_t frames = std::min(GetBlockSize(), kMaxPreparedFrames);
    if (frames <= 0)
        return;
    mUnits.Prepare(GetSampleRate(), frames);
    SetGlidePaces(GetSampleRate());
    mOversamplingSwitch.Adopt(OversamplingWanted());
    mOversamplingSwitch.Prepare(frames);
    for (ChannelPair* pair : {&mDry, &mChainSignal, &mSignal, &mSwitchSignal})
    {
        ResizeChannelPair(*pair, frames);
        ZeroPair(*pair);
    }
    ResizeSampleArray(mSilence, frames);
    ResizeSampleArray(mSteppedVolumes, frames);
    std::memset(mSilence.data, 0, sizeof(double) * static_cast<size_t>(mSilence.capacity));
    mPreparedFrames = frames;
    mFirstBlockAfterPrepare = true;
}

void Zarvotone::SetActive(bool active)
{
    ScopedLock lock(mLock);
    mProcessingActive.store(active, std::memory_order_relaxed);
    if (active)
        RedrawControl(mControls.hostInfoText);
    else
        EndProgramFade();
}

void Zarvotone::RequestMeterReset()
{
    if (IsProcessingActive())
    {
        mMeterResetRequest.store(true, std::memory_order_relaxed);
        return;
    }
    mPeakHoldLeft.store(0.0, std::memory_order_relaxed);
    mPeakHoldRight.store(0.0, std::memory_order_relaxed);
}

double Zarvotone::PeakHold(int channel) const
{
    return (channel == 0 ? mPeakHoldLeft : mPeakHoldRight).load(std::memory_order_relaxed);
}

std::string Zarvotone::GetHostText()
{
    return std::string(kPluginKind) + " Plugin Host: " + GetHostDisplayName(GetHostId()) + " (" + kPlatform + " " +
           kWordSize + ")";
}
