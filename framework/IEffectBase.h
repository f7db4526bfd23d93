#pragma once

#include "framework/ChannelIOPair.h"
#include "framework/GrowBuffer.h"
#include "framework/HostTimeInfo.h"
#include "framework/IParameter.h"
#include "framework/InChannel.h"
#include "framework/MidiMessage.h"
#include "framework/OutChannel.h"
#include "framework/PointerList.h"
#include "framework/PresetSlot.h"
#include "framework/RecursiveLock.h"
#include "framework/StateChunk.h"
#include "framework/SysExMessage.h"

#include <cstdint>
#include <utility>

class IGraphics;

// The host-independent base of every plug-in instance: parameters, presets, channel
// configuration with per-channel buffers, the instance lock, sample rate and block size,
// the cached host identity and the editor's graphics object. A host binding derives from
// it and supplies the host-facing operations; the product derives from the binding.
class IEffectBase
{
public:
    static constexpr int32_t kParamCount = 85;
    static constexpr int32_t kPresetCount = 128;
    static constexpr int32_t kNameSize = 128;

    static constexpr int32_t kPluginApiVst2 = 0;
    static constexpr int32_t kPluginApiVst3 = 1;

    // "tffp" read as a little-endian word, then the chunk format version.
    static constexpr int32_t kChunkMagic = 0x70666674;
    static constexpr int32_t kChunkVersion = 0x00010000;
    static constexpr int32_t kChunkHeaderSize = 8;

    explicit IEffectBase(int32_t pluginApi);
    virtual ~IEffectBase();
    IEffectBase(const IEffectBase&) = delete;
    IEffectBase& operator=(const IEffectBase&) = delete;

    virtual void Reset();
    virtual void ParamChanged(int index);
    virtual void ProcessBlock(double** inputs, double** outputs, int frames);
    virtual void OnEditorOpened();
    virtual void OnEditorClosed();
    // The UI thread, at each of the editor's redraw ticks before it collects what is dirty: the
    // plug-in shows what other threads left for the editor.
    virtual void OnRedrawTick();
    virtual void SetActive(bool active);
    virtual void HandleMidiMessage(const MidiMessage* message);
    virtual void HandleSysEx(const SysExMessage* message);
    virtual bool GetMidiKeyName(int key, char* name);
    virtual bool SerializeState(StateChunk& chunk);
    virtual int UnserializeState(const StateChunk& chunk, int start);
    // Checks the state at `start` and appends to `prepared` that state exactly as SerializeState
    // would write it once UnserializeState had loaded it; returns the position after the state,
    // or -1 when UnserializeState would refuse it. Changes nothing, so a bank's presets are
    // prepared without the plug-in lock.
    virtual int PrepareState(const StateChunk& chunk, int start, StateChunk& prepared);
    virtual bool MatchesValues(const double* values, int start);
    virtual void OnEditorResized();
    virtual void OnHostConfigured();
    virtual void ShowHostContextMenu(int index, int x, int y);
    virtual void SetParamFromEditor(int index, double normalised);
    virtual void BeginParamEdit(int index) = 0;
    virtual void AutomateParam(int index, double normalised) = 0;
    virtual void EndParamEdit(int index) = 0;
    virtual void UpdateHostDisplay() = 0;
    // A parameter that moved with the one the host or the editor changed; the host sees an edit.
    virtual void TellHostOfLinkedParam(int index, double normalised);
    virtual bool IsRenderingOffline();
    virtual int GetSamplePos() = 0;
    virtual double GetTempo() = 0;
    virtual void GetTimeSig(int* numerator, int* denominator) = 0;
    virtual void GetTimeInfo(HostTimeInfo* info) = 0;
    virtual int GetHostId();
    virtual int GetPluginApi();
    virtual void ResizeEditor(int width, int height) = 0;
    virtual void ConfigureForHost();
    virtual void AttachEditor(IGraphics* graphics);
    virtual void SetLatency(int samples);
    // The most latency the product may report while it processes; a binding that delays
    // signals by the latency sizes its memory for it before processing starts.
    virtual int LatencyAtMost() const;
    virtual bool SendMidiMsg(const MidiMessage* message) = 0;
    virtual bool SendSysEx(const SysExMessage* message);
    virtual void PushAllParamsToGui();
    virtual void OnPresetChanged();
    // Under the plug-in lock, for a block that the binding passes on without processing it (a
    // host's bypass): nothing of the effect is heard in it.
    virtual void OnBlockPassedBy();
    virtual void SetBlockSize(int frames);
    // The product's own text for plain `value` of parameter `index`, for hosts and the editor
    // alike; false where the record's display text serves. Never called on the audio thread.
    virtual bool FormatParamText(int index, double value, char* out, size_t size) const;
    // The plain value of a text FormatParamText gives; false where the record reads the text.
    virtual bool ParseParamText(int index, const char* text, double* value) const;
    // The label beside the text a host shows: empty where the product's text carries its unit.
    const char* ParamLabelForHost(int index) const;

    // Clears the chunk, then writes the magic and the version.
    static bool WriteChunkHeader(StateChunk& chunk);

    bool SerializeParams(StateChunk& chunk);
    int UnserializeParams(const StateChunk& chunk, int start);
    void AddFactoryPreset(const char* name, const StateChunk& state);
    bool SelectPreset(int index);
    void ModifyCurrentPreset(const char* name);
    bool SerializePresets(StateChunk& chunk);
    int UnserializePresets(const StateChunk& chunk, int position);
    void NotifyHostOfAllParams();

    // -1 matches any count.
    bool LegalIO(int inputs, int outputs) const;
    // ProcessBlock, then every connected output's result is added to its host float buffer.
    void ProcessBlockAccumulating(int frames);

    IParameter* GetParam(int index) const { return mParams.Get(index); }
    int GetParamCount() const { return mParams.Count(); }
    PresetSlot* GetPreset(int index) const { return mPresets.Get(index); }
    int GetPresetCount() const { return mPresets.Count(); }
    int GetCurrentPreset() const { return mCurrentPreset; }
    InChannel* GetInChannel(int index) const { return mInChannels.Get(index); }
    OutChannel* GetOutChannel(int index) const { return mOutChannels.Get(index); }
    int GetInChannelCount() const { return mInChannels.Count(); }
    int GetOutChannelCount() const { return mOutChannels.Count(); }
    double GetSampleRate() const { return mSampleRate; }
    int GetBlockSize() const { return mBlockSize; }
    IGraphics* GetGraphics() const { return mGraphics; }
    RecursiveLock& GetLock() { return mLock; }
    RecursiveLock& GetStateLock() { return mStateLock; }

    // True while the audio thread runs a block or a binding's process call: what runs then
    // must not allocate. Set and read under the plug-in lock.
    bool InAudioCall() const { return mInAudioCall; }
    // Marks an audio call for its lifetime; calls nest.
    class AudioCall
    {
    public:
        explicit AudioCall(IEffectBase& effect) : mEffect(effect), mOuter(std::exchange(effect.mInAudioCall, true)) {}
        ~AudioCall() { mEffect.mInAudioCall = mOuter; }
        AudioCall(const AudioCall&) = delete;
        AudioCall& operator=(const AudioCall&) = delete;

    private:
        IEffectBase& mEffect;
        bool mOuter;
    };

protected:
    PointerList<ChannelIOPair> mChannelIOPairs;
    RecursiveLock mLock;
    // Keeps the state and preset requests of the host's and the editor's threads in order and
    // guards the presets. Taken before the plug-in lock, which those requests hold only while
    // they read or change what the audio thread uses, so saving or loading a project never
    // holds up a block for long. The audio thread never waits for it.
    RecursiveLock mStateLock;
    char mEffectName[kNameSize] = {};
    char mProductName[kNameSize] = {};
    char mMakerName[kNameSize] = {};
    int32_t mPluginCode;
    int32_t mMakerCode;
    int32_t mVersion;
    int32_t mPluginApi;
    int32_t mHostId;
    int32_t mHostVersion = 0;
    bool mStateChunks = true;
    bool mIsInstrument = false;
    bool mWantsMidi = false;
    int32_t mCurrentPreset = 0;
    double mSampleRate;
    int32_t mBlockSize = 0;
    int32_t mLatency = 0;
    int32_t mTailSize = 0;
    IGraphics* mGraphics = nullptr;
    PointerList<IParameter> mParams;
    PointerList<PresetSlot> mPresets;
    GrowBuffer mInputPointers;
    GrowBuffer mOutputPointers;
    PointerList<InChannel> mInChannels;
    PointerList<OutChannel> mOutChannels;

private:
    bool mInAudioCall = false;

    void ParseChannelIO(const char* text);
    void CreateChannels(int32_t inputs, int32_t outputs);
    void ShowParamOnControls(int index, double normalised) const;
    int CountUserPresets() const;
    // One bank record into `slot`, its state prepared; the position after it, or -1.
    int PreparePresetRecord(const StateChunk& chunk, int position, PresetSlot& slot);
};
