#include "vst3/IEffectVST3.h"

#include "framework/HostId.h"
#include "framework/ScopedLock.h"
#include "vst3/IEffectParameter.h"
#include "vst3/SpeakerArrangements.h"
#include "vst3/abi/IHostApplication.h"
#include "vst3/abi/ResultCodes.h"
#include "vst3/abi/Vst3Constants.h"
#include "vst3/base/ListParameter.h"
#include "vst3/base/Utf16Text.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace
{
constexpr char kClassName[] = "IEffectVST3";
constexpr char kMainInputName[] = "Main Input";
constexpr char kOutputName[] = "Output";
// The program and bypass parameters, which the binding adds to the product's.
constexpr size_t kBindingParamCount = 2;

constexpr char kProgramTitle[] = "Preset";
constexpr Vst3::int32 kProgramPrecision = 4;
constexpr char kBypassTitle[] = "Bypass";
constexpr char kBypassOff[] = "off";
constexpr char kBypassOn[] = "on";
constexpr Vst3::int32 kBypassFlags = Vst3::kParamCanAutomate | Vst3::kParamIsList | Vst3::kParamIsBypass;

Vst3::ParameterInfo HostParameterInfo(Vst3::ParamID id, const char* title, Vst3::int32 stepCount,
                                      Vst3::int32 flags)
{
    Vst3::ParameterInfo info{};
    info.id = id;
    Vst3::WidenText(title, info.title, Vst3::kString128Size);
    info.stepCount = stepCount;
    info.defaultNormalizedValue = 0.0;
    info.unitId = Vst3::kRootUnitId;
    info.flags = flags;
    return info;
}
}

IEffectVST3::IEffectVST3()
    : IEffectBase(kPluginApiVst3), mRestartTimer([this] { DeliverRestarts(); }),
      mPointWalk(static_cast<size_t>(GetParamCount()) + kBindingParamCount)
{
    mBypassDelays.resize(static_cast<size_t>(std::max(GetInChannelCount(), 0)));
    mBypassedSignal.resize(mBypassDelays.size());
    for (int i = 0; i < GetInChannelCount(); ++i)
        GetInChannel(i)->connected = true;
    for (int i = 0; i < GetOutChannelCount(); ++i)
        GetOutChannel(i)->connected = true;
}

IEffectVST3::IEffectVST3(void*) : IEffectVST3()
{
}

IEffectVST3::~IEffectVST3() = default;

Vst3::tresult PLUGIN_API IEffectVST3::initialize(Vst3::FUnknown* context)
{
    try
    {
        const Vst3::tresult result = EffectComponent::initialize(context);
        ReadHostName(context);
        if (result == Vst3::kResultOk)
            AddBuses();
        OnHostConfigured();
        SelectPreset(0);
        // After preset 0, whose values the parameters declare as their defaults.
        if (result == Vst3::kResultOk)
            AddParameters();
        return result;
    }
    catch (...)
    {
        return Vst3::kInternalError;
    }
}

Vst3::tresult PLUGIN_API IEffectVST3::terminate()
{
    mRestartTimer.Stop();
    return EffectComponent::terminate();
}

void IEffectVST3::ReadHostName(Vst3::FUnknown* context)
{
    if (!context)
        return;
    void* answer = nullptr;
    if (context->queryInterface(Vst3::IHostApplication::kIid.bytes, &answer) != Vst3::kResultOk || !answer)
        return;
    auto* host = static_cast<Vst3::IHostApplication*>(answer);
    Vst3::String128 wide = {};
    if (host->getName(wide) == Vst3::kResultOk)
    {
        // A host that fills all 128 units leaves no terminator.
        wide[Vst3::kString128Size - 1] = u'\0';
        char name[Vst3::kString128Size];
        Vst3::NarrowText(wide, name, Vst3::kString128Size);
        mHostId = GetHostIdFromName(name);
        mHostVersion = 0;
    }
    host->release();
}

void IEffectVST3::AddBuses()
{
    const Vst3::SpeakerArrangement input = ArrangementForChannels(GetInChannelCount());
    if (input != Vst3::kArrangementEmpty)
        AddAudioInput(kMainInputName, input, Vst3::kBusTypeMain);
    AddAudioOutput(kOutputName, ArrangementForChannels(GetOutChannelCount()), Vst3::kBusTypeMain);
}

void IEffectVST3::AddParameters()
{
    if (GetPresetCount() > 0)
    {
        const auto info = HostParameterInfo(kProgramParamId, kProgramTitle, GetPresetCount(),
                                            Vst3::kParamIsProgramChange);
        Parameters().Add(new Vst3::Parameter(info, kProgramPrecision));
    }
    auto* bypass = new Vst3::ListParameter(HostParameterInfo(kBypassParamId, kBypassTitle, 0, kBypassFlags));
    bypass->AppendString(kBypassOff);
    bypass->AppendString(kBypassOn);
    Parameters().Add(bypass);
    for (int i = 0; i < GetParamCount(); ++i)
    {
        const IParameter* record = GetParam(i);
        const Vst3::int32 unitId = UnitIdForGroup(record->Group());
        Parameters().Add(new IEffectParameter(record, static_cast<Vst3::ParamID>(i), unitId, this));
    }
}

Vst3::int32 IEffectVST3::UnitIdForGroup(const char* group)
{
    if (!group || group[0] == '\0')
        return Vst3::kRootUnitId;
    for (size_t i = 0; i < mUnitNames.size(); ++i)
    {
        if (mUnitNames[i] == group)
            return static_cast<Vst3::int32>(i) + 1;
    }
    mUnitNames.emplace_back(group);
    return static_cast<Vst3::int32>(mUnitNames.size());
}

Vst3::tresult PLUGIN_API IEffectVST3::setActive(Vst3::TBool state)
{
    try
    {
        SetActive(state != 0);
        return Vst3::kResultOk;
    }
    catch (...)
    {
        return Vst3::kInternalError;
    }
}

Vst3::tresult PLUGIN_API IEffectVST3::canProcessSampleSize(Vst3::int32 symbolicSampleSize)
{
    const bool supported = symbolicSampleSize == Vst3::kSampleSize32 || symbolicSampleSize == Vst3::kSampleSize64;
    return supported ? Vst3::kResultOk : Vst3::kResultFalse;
}

Vst3::uint32 PLUGIN_API IEffectVST3::getLatencySamples()
{
    return mLatency > 0 ? static_cast<Vst3::uint32>(mLatency) : 0;
}

Vst3::uint32 PLUGIN_API IEffectVST3::getTailSamples()
{
    return mTailSize > 0 ? static_cast<Vst3::uint32>(mTailSize) : 0;
}

Vst3::tresult PLUGIN_API IEffectVST3::setupProcessing(Vst3::ProcessSetup& setup)
{
    // A rate or block size the product cannot work with is refused like an unknown sample size.
    if (canProcessSampleSize(setup.symbolicSampleSize) != Vst3::kResultOk || !std::isfinite(setup.sampleRate) ||
        setup.sampleRate <= 0.0 || setup.maxSamplesPerBlock < 0)
        return Vst3::kResultFalse;
    try
    {
        ScopedLock lock(mLock);
        SetBlockSize(setup.maxSamplesPerBlock);
        if (GetBlockSize() != setup.maxSamplesPerBlock)
            return Vst3::kOutOfMemory;
        mSampleRate = setup.sampleRate;
        // The bypass switch is a parameter the host restores and keeps: a new setup leaves it.
        Reset();
        PrepareBypass();
        return EffectComponent::setupProcessing(setup);
    }
    catch (...)
    {
        return Vst3::kInternalError;
    }
}

void IEffectVST3::BeginParamEdit(int index)
{
    if (Vst3::IComponentHandler* handler = ComponentHandler())
        handler->beginEdit(static_cast<Vst3::ParamID>(index));
}

void IEffectVST3::AutomateParam(int index, double normalised)
{
    if (Vst3::IComponentHandler* handler = ComponentHandler())
        handler->performEdit(static_cast<Vst3::ParamID>(index), normalised);
}

void IEffectVST3::EndParamEdit(int index)
{
    if (Vst3::IComponentHandler* handler = ComponentHandler())
        handler->endEdit(static_cast<Vst3::ParamID>(index));
}

void IEffectVST3::UpdateHostDisplay()
{
    RequestRestart(Vst3::kRestartParamValuesChanged);
}

void IEffectVST3::TellHostOfLinkedParam(int, double)
{
    RequestRestart(Vst3::kRestartParamValuesChanged);
}

bool IEffectVST3::IsRenderingOffline()
{
    return LastSetup().processMode == Vst3::kProcessModeOffline;
}

int IEffectVST3::GetSamplePos()
{
    // Past the int range the position holds at its end instead of wrapping.
    constexpr auto kLowest = static_cast<Vst3::int64>(std::numeric_limits<int>::min());
    constexpr auto kHighest = static_cast<Vst3::int64>(std::numeric_limits<int>::max());
    return static_cast<int>(std::clamp(mProcessContext.projectTimeSamples, kLowest, kHighest));
}

double IEffectVST3::GetTempo()
{
    return mProcessContext.tempo;
}

void IEffectVST3::GetTimeSig(int* numerator, int* denominator)
{
    *numerator = mProcessContext.timeSigNumerator;
    *denominator = mProcessContext.timeSigDenominator;
}

void IEffectVST3::GetTimeInfo(HostTimeInfo* info)
{
    info->tempo = mProcessContext.tempo;
    info->samplePos = static_cast<double>(mProcessContext.projectTimeSamples);
    info->ppqPos = mProcessContext.projectTimeMusic;
    info->lastBar = mProcessContext.barPositionMusic;
    info->cycleStart = mProcessContext.cycleStartMusic;
    info->cycleEnd = mProcessContext.cycleEndMusic;
    info->numerator = mProcessContext.timeSigNumerator;
    info->denominator = mProcessContext.timeSigDenominator;
    info->playing = (mProcessContext.state & Vst3::kContextPlaying) != 0;
    info->looping = (mProcessContext.state & Vst3::kContextCycleActive) != 0;
}

void IEffectVST3::SetLatency(int samples)
{
    IEffectBase::SetLatency(samples);
    for (ChannelDelay& delay : mBypassDelays)
        delay.SetDelay(samples);
    RequestRestart(Vst3::kRestartLatencyChanged);
}

void IEffectVST3::RequestRestart(Vst3::int32 flags)
{
    mPendingRestarts.fetch_or(flags);
}

void IEffectVST3::DeliverRestarts()
{
    Vst3::IComponentHandler* handler = ComponentHandler();
    if (!handler)
        return;
    const Vst3::int32 flags = mPendingRestarts.exchange(0);
    if (flags != 0)
        handler->restartComponent(flags);
}

Vst3::tresult PLUGIN_API IEffectVST3::setComponentHandler(Vst3::IComponentHandler* handler)
{
    if (handler == ComponentHandler())
        return EffectComponent::setComponentHandler(handler);
    const Vst3::tresult result = EffectComponent::setComponentHandler(handler);
    mRestartTimer.Stop();
    // A new handler reads latency and values itself; only later changes are told.
    mPendingRestarts = 0;
    if (handler)
        mRestartTimer.Start(HostContext(), handler);
    return result;
}

// The delays are sized for the most latency the product may report, so that a change while
// processing does not allocate.
void IEffectVST3::PrepareBypass()
{
    const int32_t frames = GetBlockSize();
    for (ChannelDelay& delay : mBypassDelays)
    {
        delay.Prepare(std::max(LatencyAtMost(), mLatency));
        delay.SetDelay(mLatency);
    }
    for (std::vector<double>& signal : mBypassedSignal)
        signal.assign(static_cast<size_t>(std::max(frames, 0)), 0.0);
    const auto framesOf = [this](double seconds) {
        return static_cast<int32_t>(std::lround(seconds * GetSampleRate()));
    };
    mBypassFade.Prepare(framesOf(kBypassFadeSeconds), framesOf(kBypassWarmUpSeconds), frames);
}

bool IEffectVST3::SendMidiMsg(const MidiMessage*)
{
    return false;
}

bool IEffectVST3::SendSysEx(const SysExMessage*)
{
    return false;
}

const char* IEffectVST3::ClassName() const
{
    return kClassName;
}

bool IEffectVST3::IsTypeOf(const char* name) const
{
    return (name && std::strcmp(name, kClassName) == 0) || EffectComponent::IsTypeOf(name);
}
