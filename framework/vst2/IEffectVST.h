#pragma once

#include "framework/IEffectBase.h"
#include "framework/MarkedParams.h"
#include "framework/StateChunk.h"
#include "framework/vst2/Vst2Abi.h"

#include <atomic>
#include <cstdint>

// Binds the plug-in base to the VST 2.4 host interface: the effect record the host sees,
// its dispatcher, the audio and parameter entries, and the base's host-facing operations
// through the host callback. The product's main class derives from it.
//
// Threads: the dispatcher runs on the host's UI thread, the audio entries on its audio
// thread. Every dispatcher request holds the state lock for its whole run; every entry but
// the two chunk requests also holds the plug-in lock for its whole run, and host callbacks
// are made with it held. The chunk requests prepare and write their bytes outside the
// plug-in lock and take it only to load or copy out a state. No exception leaves an entry.
class IEffectVST : public IEffectBase
{
public:
    static constexpr int32_t kDefaultBlockSize = 1024;

    explicit IEffectVST(audioMasterCallback hostCallback);
    ~IEffectVST() override;

    AEffect* GetEffect() { return &mEffect; }
    static IEffectVST* FromEffect(AEffect* effect);

    // Run once by the entry point after construction: every preset not yet filled becomes
    // "Empty" with the current state, and the host sees at least one program.
    void PrepareForHost();

    void BeginParamEdit(int index) override;
    void AutomateParam(int index, double normalised) override;
    void EndParamEdit(int index) override;
    void UpdateHostDisplay() override;
    // Hosts may not expect a call from inside their own calls (effOpen, setParameter, any
    // dispatcher request): a parameter that moved with another, and a new delay, are told at a
    // moment of the plug-in's own, after an edit in the editor, at effEditIdle or after the next
    // block.
    void TellHostOfLinkedParam(int index, double normalised) override;
    void SetParamFromEditor(int index, double normalised) override;
    bool IsRenderingOffline() override;
    int GetSamplePos() override;
    double GetTempo() override;
    void GetTimeSig(int* numerator, int* denominator) override;
    void GetTimeInfo(HostTimeInfo* info) override;
    int GetHostId() override;
    void ResizeEditor(int width, int height) override;
    void ConfigureForHost() override;
    void AttachEditor(IGraphics* graphics) override;
    void SetLatency(int samples) override;
    bool SendMidiMsg(const MidiMessage* message) override;
    bool SendSysEx(const SysExMessage* message) override;

    static VstIntPtr VSTDispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt);

protected:
    // The one way to the host: 0 when there is no host callback.
    VstIntPtr CallHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);

private:
    static void ProcessAccumulating(AEffect* effect, float** inputs, float** outputs, VstInt32 frames);
    static void ProcessReplacing(AEffect* effect, float** inputs, float** outputs, VstInt32 frames);
    static void ProcessDoubleReplacing(AEffect* effect, double** inputs, double** outputs, VstInt32 frames);
    static void SetParameter(AEffect* effect, VstInt32 index, float value);
    static float GetParameter(AEffect* effect, VstInt32 index);
    // The block under the plug-in lock, then what the host is still to hear of, from the audio
    // thread, where hosts take automation.
    template <typename Block>
    static void RunBlock(AEffect* effect, Block block);

    VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    VstIntPtr GetChunk(VstInt32 index, void* ptr);
    VstIntPtr SetChunk(VstInt32 index, VstIntPtr size, const void* ptr);
    VstIntPtr ProcessEvents(const VstEvents* events);
    VstIntPtr String2Parameter(VstInt32 index, const char* text);
    VstIntPtr GetPinProperties(bool input, VstInt32 index, VstPinProperties* properties);
    void SetSpeakerArrangement(const VstSpeakerArrangement* inputs, const VstSpeakerArrangement* outputs);
    VstIntPtr VendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt);
    VstIntPtr CanDo(const char* text) const;
    VstIntPtr AnswerMidiKeyName(MidiKeyName* key);
    VstIntPtr EditorOpen(void* parentWindow);
    VstIntPtr EditorClose();

    // Processing in slices of at most the block size, so a longer host block never overruns
    // the scratch buffers or the product's block-sized buffers.
    void ProcessFloat(float** inputs, float** outputs, int32_t frames, bool accumulate);
    void ProcessDouble(double** inputs, double** outputs, int32_t frames);
    // Runs `slice(offset, count)` over the host block in pieces of at most the block size.
    template <typename Slice>
    void ForEachSlice(int32_t frames, Slice slice);
    void AttachFloatBuffers(float** inputs, float** outputs, int32_t offset, int32_t frames);
    void AttachDoubleBuffers(double** inputs, double** outputs, int32_t offset);
    void WantMidiIfNeeded();
    // Each linked parameter that moved since the host was last told, at its value now, and a
    // delay that changed since.
    void TellHostWhatItIsStillToHear();
    void SetParameterValue(int32_t index, float value);
    float GetParameterValue(int32_t index) const;

    void ConnectInput(int index, bool connected);
    void ConnectOutput(int index, bool connected);
    void UpdateChannelCounts();
    void SetEditorRectFromGraphics();
    bool ParamIndexValid(VstIntPtr index) const;
    int32_t VendorVersion() const;

    ERect mEditorRect{};
    audioMasterCallback mHostCallback;
    VstSpeakerArrangement mInputArrangement{};
    VstSpeakerArrangement mOutputArrangement{};
    bool mHostConfigured = false;
    StateChunk mProgramChunk;
    StateChunk mBankChunk;
    MarkedParams<kParamCount> mMovedLinkedParams;
    std::atomic<bool> mLatencyChanged{false};
    AEffect mEffect{};
};
