#include "framework/vst2/IEffectVST.h"

#include "framework/HostId.h"
#include "graphics/IGraphics.h"
#include "framework/vst2/Vst2Constants.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>

namespace
{
constexpr int32_t kBaseFlags = effFlagsCanReplacing | effFlagsProgramChunks | effFlagsCanDoubleReplacing;
constexpr int32_t kHostNameSize = 256;
// Hosts that want the channels above the first pair handled as outputs only.
constexpr int kOutputOnlyExtraChannelHosts[] = {15, 17, 18, 20};
constexpr int kFirstExtraChannel = 2;
constexpr int32_t kTimeInfoRequest = kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstCyclePosValid |
                                     kVstTimeSigValid;
constexpr int32_t kMidiEventSize = static_cast<int32_t>(sizeof(VstMidiEvent));
constexpr int32_t kSysExEventSize = static_cast<int32_t>(sizeof(VstMidiSysexEvent));

int32_t ArrangementType(int32_t channels)
{
    switch (channels)
    {
    case 0:
        return kSpeakerArrEmpty;
    case 1:
        return kSpeakerArrMono;
    case 2:
        return kSpeakerArrStereo;
    default:
        return kSpeakerArrUserDefined;
    }
}

void SetArrangement(VstSpeakerArrangement& arrangement, int32_t channels)
{
    arrangement.type = ArrangementType(channels);
    arrangement.numChannels = channels;
}

// Packs a host's decimal version (major x 10000 + minor x 100 + patch) like the version field.
int32_t PackHostVersion(VstIntPtr version)
{
    // Unsigned, so that a nonsensical answer cannot overflow the shift.
    const auto decimal = static_cast<uint32_t>(version);
    return static_cast<int32_t>((decimal / 10000) << 16 | ((decimal % 10000) / 100) << 8 | (decimal % 100));
}

const VstTimeInfo* AsTimeInfo(VstIntPtr answer)
{
    return reinterpret_cast<const VstTimeInfo*>(answer);
}
}

IEffectVST::IEffectVST(audioMasterCallback hostCallback)
    : IEffectBase(kPluginApiVst2), mHostCallback(hostCallback)
{
    mEffect.magic = kEffectMagic;
    mEffect.dispatcher = &IEffectVST::VSTDispatcher;
    mEffect.process = &IEffectVST::ProcessAccumulating;
    mEffect.setParameter = &IEffectVST::SetParameter;
    mEffect.getParameter = &IEffectVST::GetParameter;
    mEffect.numPrograms = kPresetCount;
    mEffect.numParams = kParamCount;
    mEffect.numInputs = GetInChannelCount();
    mEffect.numOutputs = GetOutChannelCount();
    mEffect.flags = kBaseFlags | (LegalIO(1, -1) ? effFlagsCanMono : 0);
    mEffect.initialDelay = mLatency;
    mEffect.ioRatio = 1.0f;
    // Cast back the same way in FromEffect, whatever else the product derives from.
    mEffect.object = static_cast<IEffectVST*>(this);
    mEffect.uniqueID = mPluginCode;
    mEffect.version = VendorVersion();
    mEffect.processReplacing = &IEffectVST::ProcessReplacing;
    mEffect.processDoubleReplacing = &IEffectVST::ProcessDoubleReplacing;

    SetArrangement(mInputArrangement, GetInChannelCount());
    SetArrangement(mOutputArrangement, GetOutChannelCount());
    for (int i = 0; i < GetInChannelCount(); ++i)
        GetInChannel(i)->connected = true;
    for (int i = 0; i < GetOutChannelCount(); ++i)
        GetOutChannel(i)->connected = true;
    SetBlockSize(kDefaultBlockSize);
}

IEffectVST::~IEffectVST() = default;

IEffectVST* IEffectVST::FromEffect(AEffect* effect)
{
    return effect ? static_cast<IEffectVST*>(effect->object) : nullptr;
}

void IEffectVST::PrepareForHost()
{
    for (int i = 0; i < GetPresetCount(); ++i)
    {
        PresetSlot* preset = GetPreset(i);
        if (preset->initialised)
            continue;
        preset->initialised = true;
        preset->SetName("Empty");
        SerializeState(preset->state);
    }
    if (mEffect.numPrograms < 1)
        mEffect.numPrograms = 1;
}

VstIntPtr IEffectVST::CallHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return mHostCallback ? mHostCallback(&mEffect, opcode, index, value, ptr, opt) : 0;
}

int32_t IEffectVST::VendorVersion() const
{
    const int32_t major = (mVersion >> 16) & 0xFFFF;
    const int32_t minor = (mVersion >> 8) & 0xFF;
    const int32_t patch = mVersion & 0xFF;
    return major * 10000 + minor * 100 + patch;
}

bool IEffectVST::ParamIndexValid(VstIntPtr index) const
{
    return index >= 0 && index < GetParamCount();
}

void IEffectVST::BeginParamEdit(int index)
{
    CallHost(audioMasterBeginEdit, index);
}

void IEffectVST::AutomateParam(int index, double normalised)
{
    CallHost(audioMasterAutomate, index, 0, nullptr, static_cast<float>(normalised));
}

void IEffectVST::EndParamEdit(int index)
{
    CallHost(audioMasterEndEdit, index);
}

void IEffectVST::UpdateHostDisplay()
{
    CallHost(audioMasterUpdateDisplay);
}

void IEffectVST::TellHostOfLinkedParam(int index, double)
{
    mMovedLinkedParams.Mark(index);
}

// The editor's edits come from its own window messages, not from a host call: the host hears
// of the partner at once, right after the edit itself.
void IEffectVST::SetParamFromEditor(int index, double normalised)
{
    IEffectBase::SetParamFromEditor(index, normalised);
    TellHostWhatItIsStillToHear();
}

void IEffectVST::TellHostWhatItIsStillToHear()
{
    mMovedLinkedParams.TakeEach([this](int index) { AutomateParam(index, GetParam(index)->GetNormalized()); });
    // The host reads the new delay again when told that the plug-in's set-up changed.
    if (mLatencyChanged.exchange(false))
        CallHost(audioMasterIOChanged);
}

bool IEffectVST::IsRenderingOffline()
{
    return CallHost(audioMasterGetCurrentProcessLevel) == kVstProcessLevelOffline;
}

int IEffectVST::GetSamplePos()
{
    const VstTimeInfo* time = AsTimeInfo(CallHost(audioMasterGetTime));
    if (!time || !(time->samplePos >= 0.0))
        return 0;
    // Past about 12 hours at 48 kHz the position no longer fits: hold it at the largest one.
    constexpr double kLargest = std::numeric_limits<int>::max();
    const double rounded = time->samplePos + 0.5;
    return rounded >= kLargest ? std::numeric_limits<int>::max() : static_cast<int>(rounded);
}

double IEffectVST::GetTempo()
{
    const VstTimeInfo* time = AsTimeInfo(CallHost(audioMasterGetTime, 0, kVstTempoValid));
    if (time && (time->flags & kVstTempoValid) && time->tempo >= 0.0)
        return time->tempo;
    return 0.0;
}

void IEffectVST::GetTimeSig(int* numerator, int* denominator)
{
    *numerator = 0;
    *denominator = 0;
    const VstTimeInfo* time = AsTimeInfo(CallHost(audioMasterGetTime, 0, kVstTimeSigValid));
    if (time && (time->flags & kVstTimeSigValid) && time->timeSigNumerator >= 0 && time->timeSigDenominator >= 0)
    {
        *numerator = time->timeSigNumerator;
        *denominator = time->timeSigDenominator;
    }
}

void IEffectVST::GetTimeInfo(HostTimeInfo* info)
{
    const VstTimeInfo* time = AsTimeInfo(CallHost(audioMasterGetTime, 0, kTimeInfoRequest));
    if (!time || !(time->flags & kTimeInfoRequest))
        return;
    info->samplePos = time->samplePos;
    if ((time->flags & kVstPpqPosValid) && time->ppqPos >= 0.0)
        info->ppqPos = time->ppqPos;
    if ((time->flags & kVstTempoValid) && time->tempo > 0.0)
        info->tempo = time->tempo;
    if ((time->flags & kVstBarsValid) && time->barStartPos >= 0.0)
        info->lastBar = time->barStartPos;
    if ((time->flags & kVstCyclePosValid) && time->cycleStartPos >= 0.0 && time->cycleEndPos >= 0.0)
    {
        info->cycleStart = time->cycleStartPos;
        info->cycleEnd = time->cycleEndPos;
    }
    if ((time->flags & kVstTimeSigValid) && time->timeSigNumerator > 0 && time->timeSigDenominator > 0)
    {
        info->numerator = time->timeSigNumerator;
        info->denominator = time->timeSigDenominator;
    }
    info->playing = (time->flags & kVstTransportPlaying) != 0;
    info->looping = (time->flags & kVstTransportCycleActive) != 0;
}

int IEffectVST::GetHostId()
{
    if (mHostId != kHostNotDetected)
        return mHostId;
    char product[kHostNameSize];
    product[0] = '\0';
    CallHost(audioMasterGetProductString, 0, 0, product);
    // Hosts are trusted to write at most 64 bytes; a missing terminator must not run on.
    product[kHostNameSize - 1] = '\0';
    if (product[0] != '\0')
        mHostVersion = PackHostVersion(CallHost(audioMasterGetVendorVersion));
    mHostId = GetHostIdFromName(product);
    return mHostId;
}

void IEffectVST::ResizeEditor(int, int)
{
    if (!mGraphics)
        return;
    SetEditorRectFromGraphics();
    OnEditorResized();
}

void IEffectVST::SetEditorRectFromGraphics()
{
    mEditorRect.top = 0;
    mEditorRect.left = 0;
    mEditorRect.bottom = static_cast<VstInt16>(mGraphics->GetHeight());
    mEditorRect.right = static_cast<VstInt16>(mGraphics->GetWidth());
}

void IEffectVST::ConfigureForHost()
{
    if (mHostConfigured)
        return;
    mHostConfigured = true;
    const int host = GetHostId();
    if (std::find(std::begin(kOutputOnlyExtraChannelHosts), std::end(kOutputOnlyExtraChannelHosts), host) !=
        std::end(kOutputOnlyExtraChannelHosts))
    {
        for (int i = kFirstExtraChannel; i < GetInChannelCount(); ++i)
            ConnectInput(i, false);
        for (int i = kFirstExtraChannel; i < GetOutChannelCount(); ++i)
            ConnectOutput(i, true);
    }
    UpdateChannelCounts();
    OnHostConfigured();
}

void IEffectVST::UpdateChannelCounts()
{
    mInputArrangement.numChannels = GetInChannelCount();
    mOutputArrangement.numChannels = GetOutChannelCount();
    mEffect.numInputs = GetInChannelCount();
    mEffect.numOutputs = GetOutChannelCount();
}

void IEffectVST::ConnectInput(int index, bool connected)
{
    InChannel* channel = GetInChannel(index);
    channel->connected = connected;
    if (connected)
        return;
    // Whatever the scratch held while connected must not play again.
    if (void* scratch = channel->scratch.Data())
        std::memset(scratch, 0, static_cast<size_t>(channel->scratch.Size()));
    *channel->source = channel->Scratch();
}

void IEffectVST::ConnectOutput(int index, bool connected)
{
    OutChannel* channel = GetOutChannel(index);
    channel->connected = connected;
    if (connected)
        return;
    if (void* scratch = channel->scratch.Data())
        std::memset(scratch, 0, static_cast<size_t>(channel->scratch.Size()));
    *channel->destination = channel->Scratch();
    channel->floatDestination = nullptr;
}

void IEffectVST::AttachEditor(IGraphics* graphics)
{
    if (!graphics)
        return;
    IEffectBase::AttachEditor(graphics);
    mEffect.flags |= effFlagsHasEditor;
    SetEditorRectFromGraphics();
}

void IEffectVST::SetLatency(int samples)
{
    mEffect.initialDelay = samples;
    IEffectBase::SetLatency(samples);
    mLatencyChanged = true;
}

bool IEffectVST::SendMidiMsg(const MidiMessage* message)
{
    VstMidiEvent event{};
    event.type = kVstMidiType;
    event.byteSize = kMidiEventSize;
    event.deltaFrames = message->offset;
    event.midiData[0] = static_cast<char>(message->status);
    event.midiData[1] = static_cast<char>(message->data1);
    event.midiData[2] = static_cast<char>(message->data2);
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&event);
    return CallHost(audioMasterProcessEvents, 0, 0, &events) == 1;
}

bool IEffectVST::SendSysEx(const SysExMessage* message)
{
    VstMidiSysexEvent event{};
    event.type = kVstSysExType;
    event.byteSize = kSysExEventSize;
    event.deltaFrames = message->offset;
    event.dumpBytes = message->size;
    // The interface's field is not const; hosts only read the bytes.
    event.sysexDump = const_cast<char*>(reinterpret_cast<const char*>(message->data));
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&event);
    return CallHost(audioMasterProcessEvents, 0, 0, &events) == 1;
}
