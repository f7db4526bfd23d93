#include "framework/vst2/IEffectVST.h"

#include "framework/BoundedCopy.h"
#include "graphics/IGraphics.h"
#include "framework/ScopedLock.h"
#include "framework/vst2/Vst2Constants.h"

#include <cstdio>
#include <cstring>
#include <limits>

namespace
{
// Hosts pass buffers of 64 bytes or more; names are shorter, but a name loaded from a bank
// may not be, so no text written into a host buffer exceeds 63 characters and the terminator.
constexpr size_t kHostTextSize = 64;
constexpr VstIntPtr kVendorSpecificAnswer = 0xBEEF;
constexpr VstInt32 kVendorDisplayTextRequest = 7;
constexpr VstInt32 kVendorSteppedParamRequest = 8;
constexpr VstIntPtr kCockosExtensionAnswer = 0xBEEF0000;
constexpr VstInt32 kBankChunkIndex = 0;
// Far beyond any bank this plug-in writes; a larger size is a broken or hostile request.
constexpr VstIntPtr kLargestChunk = 256 * 1024 * 1024;

constexpr const char* kMidiCanDos[] = {"sendVstEvents", "sendVstMidiEvent", "receiveVstEvents",
                                       "receiveVstMidiEvent"};
constexpr const char* kCockosCanDos[] = {"hasCockosExtensions", "hasCockosViewAsConfig"};

VstIntPtr CopyToHost(void* destination, const char* text)
{
    if (!destination)
        return 0;
    BoundedCopy(static_cast<char*>(destination), text, kHostTextSize);
    return 1;
}

bool Contains(const char* const* begin, const char* const* end, const char* text)
{
    for (const char* const* entry = begin; entry != end; ++entry)
    {
        if (std::strcmp(*entry, text) == 0)
            return true;
    }
    return false;
}

int ToIndex(VstIntPtr value)
{
    // An index the host cannot mean must not wrap into a valid one.
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return -1;
    return static_cast<int>(value);
}
}

VstIntPtr IEffectVST::VSTDispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                    float opt)
{
    IEffectVST* plugin = FromEffect(effect);
    if (!plugin)
        return 0;
    try
    {
        if (opcode == effClose)
        {
            // Waits for a state request and a block in progress; both locks must be free
            // before the object goes.
            for (RecursiveLock* lock : {&plugin->mStateLock, &plugin->mLock})
            {
                lock->Enter();
                lock->Leave();
            }
            delete plugin;
            return 0;
        }
        // Idle calls come up to a thousand times a second and ask for nothing; the UI thread
        // must not queue for a lock a block or a state request holds just to answer them. They
        // are the UI thread's moments to tell the host what it is still to hear of.
        if (opcode == effEditIdle || opcode == effIdle)
        {
            plugin->TellHostWhatItIsStillToHear();
            return 0;
        }
        ScopedLock stateLock(plugin->mStateLock);
        // Chunks take the plug-in lock only for the moments they touch what a block uses.
        if (opcode == effGetChunk)
            return plugin->GetChunk(index, ptr);
        if (opcode == effSetChunk)
            return plugin->SetChunk(index, value, ptr);
        ScopedLock lock(plugin->mLock);
        return plugin->Dispatch(opcode, index, value, ptr, opt);
    }
    catch (...)
    {
        return 0;
    }
}

VstIntPtr IEffectVST::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    switch (opcode)
    {
    case effOpen:
        ConfigureForHost();
        for (int i = 0; i < GetParamCount(); ++i)
            ParamChanged(i);
        return 0;
    case effSetProgram:
        if (!mStateChunks && GetPreset(mCurrentPreset))
        {
            PresetSlot* preset = GetPreset(mCurrentPreset);
            preset->state.Clear();
            SerializeState(preset->state);
        }
        SelectPreset(ToIndex(value));
        return 0;
    case effGetProgram:
        return mCurrentPreset;
    case effSetProgramName:
        if (ptr)
        {
            ModifyCurrentPreset(static_cast<const char*>(ptr));
            OnPresetChanged();
        }
        return 0;
    case effGetProgramName:
        if (ptr)
        {
            const PresetSlot* preset = GetPreset(mCurrentPreset);
            CopyToHost(ptr, preset ? preset->name : "");
        }
        return 0;
    case effGetParamLabel:
        if (ptr && ParamIndexValid(index))
            CopyToHost(ptr, ParamLabelForHost(index));
        return 0;
    case effGetParamDisplay:
        if (ptr && ParamIndexValid(index))
        {
            const IParameter* param = GetParam(index);
            char* text = static_cast<char*>(ptr);
            if (!FormatParamText(index, param->Value(), text, kHostTextSize))
                param->GetDisplayText(param->Value(), false, text, true, kHostTextSize);
        }
        return 0;
    case effGetParamName:
        if (ptr && ParamIndexValid(index))
            CopyToHost(ptr, GetParam(index)->Name());
        return 0;
    case effSetSampleRate:
        mSampleRate = opt;
        Reset();
        return 0;
    case effSetBlockSize:
        // A block size of zero or less, or one beyond 32 bits, announces nothing usable.
        if (value > 0 && value <= std::numeric_limits<int>::max())
        {
            SetBlockSize(static_cast<int>(value));
            Reset();
        }
        return 0;
    case effMainsChanged:
        // Suspending keeps what the effect is playing, as a VST3 host's deactivation does: hosts
        // suspend and resume around transport changes while their audio goes on, and a restart
        // from cleared filters clicks. A new rate or block size prepares afresh.
        SetActive(value != 0);
        return 0;
    case effEditGetRect:
        if (!ptr || !mGraphics)
            return 0;
        *static_cast<ERect**>(ptr) = &mEditorRect;
        return 1;
    case effEditOpen:
        return EditorOpen(ptr);
    case effEditClose:
        return EditorClose();
    case effIdentify:
        return kEffectIdentity;
    case effProcessEvents:
        return ProcessEvents(static_cast<const VstEvents*>(ptr));
    case effCanBeAutomated:
        return 1;
    case effString2Parameter:
        return String2Parameter(index, static_cast<const char*>(ptr));
    case effGetProgramNameIndexed:
    {
        const PresetSlot* preset = GetPreset(index);
        const char* name = preset ? preset->name : "";
        CopyToHost(ptr, name);
        return ptr && name[0] != '\0' ? 1 : 0;
    }
    case effGetInputProperties:
        return GetPinProperties(true, index, static_cast<VstPinProperties*>(ptr));
    case effGetOutputProperties:
        return GetPinProperties(false, index, static_cast<VstPinProperties*>(ptr));
    case effGetPlugCategory:
        return mIsInstrument ? kPlugCategSynth : kPlugCategEffect;
    case effSetSpeakerArrangement:
        SetSpeakerArrangement(reinterpret_cast<const VstSpeakerArrangement*>(value),
                              static_cast<const VstSpeakerArrangement*>(ptr));
        return 1;
    case effGetEffectName:
        return CopyToHost(ptr, mEffectName);
    case effGetVendorString:
        return CopyToHost(ptr, mMakerName);
    case effGetProductString:
        return CopyToHost(ptr, mProductName);
    case effGetVendorVersion:
        return VendorVersion();
    case effVendorSpecific:
        return VendorSpecific(index, value, ptr, opt);
    case effCanDo:
        return CanDo(static_cast<const char*>(ptr));
    case effGetTailSize:
        return mTailSize;
    case effGetVstVersion:
        return kVstVersion;
    case effGetMidiKeyName:
        return AnswerMidiKeyName(static_cast<MidiKeyName*>(ptr));
    case effGetSpeakerArrangement:
        if (value)
            *reinterpret_cast<VstSpeakerArrangement**>(value) = &mInputArrangement;
        if (ptr)
            *static_cast<VstSpeakerArrangement**>(ptr) = &mOutputArrangement;
        return 1;
    default:
        return 0;
    }
}

VstIntPtr IEffectVST::EditorOpen(void* parentWindow)
{
    if (!mGraphics || !mGraphics->OpenEditorWindow(parentWindow))
        return 0;
    OnEditorOpened();
    return 1;
}

VstIntPtr IEffectVST::EditorClose()
{
    if (!mGraphics)
        return 0;
    OnEditorClosed();
    mGraphics->CloseEditorWindow();
    return 1;
}

VstIntPtr IEffectVST::GetChunk(VstInt32 index, void* ptr)
{
    if (!ptr)
        return 0;
    bool written = false;
    StateChunk& chunk = index == kBankChunkIndex ? mBankChunk : mProgramChunk;
    if (index == kBankChunkIndex)
    {
        written = WriteChunkHeader(chunk);
        ModifyCurrentPreset(nullptr);
        written = written && SerializePresets(chunk);
    }
    else
    {
        written = WriteChunkHeader(chunk) && SerializeState(chunk);
    }
    if (!written || chunk.Size() <= 0)
        return 0;
    // The host reads the bytes through this address until its next request.
    *static_cast<const void**>(ptr) = chunk.Data();
    return chunk.Size();
}

VstIntPtr IEffectVST::SetChunk(VstInt32 index, VstIntPtr size, const void* ptr)
{
    if (!ptr || size <= 0 || size > kLargestChunk)
        return 0;
    // The host may hand back the very address that GetChunk gave it: copy the bytes out
    // before the chunk they live in is resized.
    StateChunk received;
    if (!received.AppendBytes(ptr, size))
        return 0;
    StateChunk& chunk = index == kBankChunkIndex ? mBankChunk : mProgramChunk;
    chunk.Clear();
    if (!chunk.AppendBytes(received.Data(), received.Size()))
        return 0;

    int start = 0;
    int32_t version = 0;
    int32_t magic = 0;
    if (chunk.ReadInt32(magic, 0) > 0 && magic == kChunkMagic)
        start = chunk.ReadInt32(version, sizeof(int32_t)) > 0 ? kChunkHeaderSize : -1;

    if (index == kBankChunkIndex && version >= kChunkVersion)
    {
        if (UnserializePresets(chunk, start) < 0)
            return 0;
    }
    else
    {
        // Checked whole before it is loaded: a refused state changes nothing, not even the
        // current preset.
        StateChunk prepared;
        if (PrepareState(chunk, start, prepared) < 0 || UnserializeState(prepared, 0) < 0)
            return 0;
        ModifyCurrentPreset(nullptr);
    }
    // Every value may have changed: the host reads them again, and records no edits.
    UpdateHostDisplay();
    ScopedLock lock(mLock);
    PushAllParamsToGui();
    return 1;
}

VstIntPtr IEffectVST::ProcessEvents(const VstEvents* events)
{
    if (!events)
        return 0;
    for (VstInt32 i = 0; i < events->numEvents; ++i)
    {
        const VstEvent* event = events->events[i];
        if (!event)
            continue;
        if (event->type == kVstMidiType)
        {
            const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
            const MidiMessage message{midi->deltaFrames, static_cast<uint8_t>(midi->midiData[0]),
                                      static_cast<uint8_t>(midi->midiData[1]),
                                      static_cast<uint8_t>(midi->midiData[2])};
            HandleMidiMessage(&message);
        }
        else if (event->type == kVstSysExType)
        {
            const auto* sysEx = reinterpret_cast<const VstMidiSysexEvent*>(event);
            const SysExMessage message{sysEx->deltaFrames, sysEx->dumpBytes,
                                       reinterpret_cast<const uint8_t*>(sysEx->sysexDump)};
            HandleSysEx(&message);
        }
    }
    return 1;
}

VstIntPtr IEffectVST::String2Parameter(VstInt32 index, const char* text)
{
    if (!ParamIndexValid(index))
        return 0;
    if (!text)
        return 1;
    IParameter* param = GetParam(index);
    double value = 0.0;
    if (ParseParamText(index, text, &value))
        param->SetPlain(value);
    else if (!param->SetFromHostText(text))
        return 0;
    if (mGraphics)
        mGraphics->ShowParamValue(index, param->Value(), false);
    ParamChanged(index);
    return 1;
}

VstIntPtr IEffectVST::GetPinProperties(bool input, VstInt32 index, VstPinProperties* properties)
{
    const int channels = input ? GetInChannelCount() : GetOutChannelCount();
    if (!properties || index < 0 || index >= channels)
        return 0;
    properties->flags = kVstPinIsActive;
    if (index % 2 == 0 && index < channels - 1)
        properties->flags |= kVstPinIsStereo;
    const char* label = input ? GetInChannel(index)->label.Get() : GetOutChannel(index)->label.Get();
    if (label[0] != '\0')
    {
        CopyToHost(properties->label, label);
        return 1;
    }
    std::snprintf(properties->label, sizeof properties->label, "%s %d", input ? "Input" : "Output", index + 1);
    return 1;
}

void IEffectVST::SetSpeakerArrangement(const VstSpeakerArrangement* inputs, const VstSpeakerArrangement* outputs)
{
    if (inputs)
    {
        for (int i = 0; i < GetInChannelCount(); ++i)
            ConnectInput(i, i < inputs->numChannels);
    }
    if (outputs)
    {
        for (int i = 0; i < GetOutChannelCount(); ++i)
            ConnectOutput(i, i < outputs->numChannels);
    }
}

VstIntPtr IEffectVST::VendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    if (index == kVendorDisplayTextRequest)
    {
        if (!ptr)
            return 0;
        if (ParamIndexValid(value))
        {
            const int param = static_cast<int>(value);
            const IParameter* record = GetParam(param);
            char* text = static_cast<char*>(ptr);
            if (!FormatParamText(param, record->ValueAt(opt), text, kHostTextSize))
                record->GetDisplayText(opt, true, text, true, kHostTextSize);
        }
        return kVendorSpecificAnswer;
    }
    if (index == kVendorSteppedParamRequest && ParamIndexValid(value) &&
        GetParam(static_cast<int>(value))->Type() != kParamTypeDouble)
        return kVendorSpecificAnswer;
    return 0;
}

VstIntPtr IEffectVST::CanDo(const char* text) const
{
    if (!text)
        return 0;
    if (std::strcmp(text, "receiveVstTimeInfo") == 0)
        return 1;
    if (mWantsMidi && Contains(std::begin(kMidiCanDos), std::end(kMidiCanDos), text))
        return 1;
    if (Contains(std::begin(kCockosCanDos), std::end(kCockosCanDos), text))
        return kCockosExtensionAnswer;
    return 0;
}

VstIntPtr IEffectVST::AnswerMidiKeyName(MidiKeyName* key)
{
    if (!key)
        return 0;
    std::memset(key->keyName, 0, sizeof key->keyName);
    return GetMidiKeyName(key->thisKeyNumber, key->keyName) ? 1 : 0;
}
