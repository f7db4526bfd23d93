#pragma once

#include "framework/IEffectBase.h"
#include "vst3/ChannelDelay.h"
#include "vst3/HostBypassFade.h"
#include "vst3/ParameterPointWalk.h"
#include "vst3/RestartTimer.h"
#include "vst3/abi/ProcessContext.h"
#include "vst3/base/EffectComponent.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class IEffectVST3View;

// Binds the plug-in base to the VST3 host interfaces: one object that is the component, the
// audio processor and the edit controller. The product's main class derives from it.
//
// Threads: process runs on the host's audio thread and holds the plug-in lock, as does
// setupProcessing; getState and setState hold the state lock and take the plug-in lock only
// to copy the state out or load it. Every other call comes from the host's UI thread.
// Parameter values from the host reach the product through the process call's queues, each
// point at its own frame of the block, or with denser points the latest of them a few frames
// later (kShortestPiece).
// What the host must hear of (a latency change, values that a load or a linked parameter
// changed) is gathered from any thread and told by a timer on the host's UI thread, outside
// every host call: a host may hold its own lock around its calls into the plug-in and restart
// the component only from its UI thread.
// No exception leaves a host-facing call.
class IEffectVST3 : public IEffectBase, public Vst3::EffectComponent
{
public:
    static constexpr Vst3::ParamID kProgramParamId = 0x70727374;  // 'prst'
    static constexpr Vst3::ParamID kBypassParamId = 0x62706173;   // 'bpas'
    // The host's bypass fades the effect out and in over this time; switched off, the effect
    // first runs unheard for the warm-up time, long enough for its filters and glides to settle
    // on the signal.
    static constexpr double kBypassFadeSeconds = 0.01;
    static constexpr double kBypassWarmUpSeconds = 0.05;

    IEffectVST3();
    // For a product that passes on the host context its creator received; the binding needs none.
    explicit IEffectVST3(void* hostContext);
    ~IEffectVST3() override;

    // Also reached as IEditController::initialize: buses and parameters on the first call;
    // every call reads the host's name, configures the product and selects preset 0, whose
    // values the parameters declare as their defaults.
    Vst3::tresult PLUGIN_API initialize(Vst3::FUnknown* context) override;
    Vst3::tresult PLUGIN_API terminate() override;

    Vst3::tresult PLUGIN_API setActive(Vst3::TBool state) override;
    // The component's and the controller's state calls are one: the state block, then the
    // bypass flag as a little-endian int32.
    Vst3::tresult PLUGIN_API setState(Vst3::IBStream* state) override;
    Vst3::tresult PLUGIN_API getState(Vst3::IBStream* state) override;
    // Processor and controller are one object: the component's state is loaded as setState does.
    Vst3::tresult PLUGIN_API setComponentState(Vst3::IBStream* state) override;

    Vst3::tresult PLUGIN_API setBusArrangements(Vst3::SpeakerArrangement* inputs, Vst3::int32 inputCount,
                                                Vst3::SpeakerArrangement* outputs, Vst3::int32 outputCount) override;
    Vst3::tresult PLUGIN_API canProcessSampleSize(Vst3::int32 symbolicSampleSize) override;
    Vst3::uint32 PLUGIN_API getLatencySamples() override;
    Vst3::tresult PLUGIN_API setupProcessing(Vst3::ProcessSetup& setup) override;
    Vst3::tresult PLUGIN_API process(Vst3::ProcessData& data) override;
    Vst3::uint32 PLUGIN_API getTailSamples() override;

    Vst3::tresult PLUGIN_API getParamStringByValue(Vst3::ParamID id, Vst3::ParamValue valueNormalized,
                                                   Vst3::String128 string) override;
    Vst3::ParamValue PLUGIN_API plainParamToNormalized(Vst3::ParamID id, Vst3::ParamValue plainValue) override;
    Vst3::ParamValue PLUGIN_API getParamNormalized(Vst3::ParamID id) override;
    // A plug-in parameter only stores the value, which the product hears of through the process
    // queues; the next block fades to a new bypass switch; the program change loads the preset,
    // so that the state holds it before any block runs, and the same change in the queues is not
    // made again.
    Vst3::tresult PLUGIN_API setParamNormalized(Vst3::ParamID id, Vst3::ParamValue value) override;
    // Also starts (or, for none, stops) the timer that tells the handler of restarts.
    Vst3::tresult PLUGIN_API setComponentHandler(Vst3::IComponentHandler* handler) override;
    // A new view for "editor" when the product has an editor; null otherwise.
    Vst3::IPlugView* PLUGIN_API createView(Vst3::FIDString name) override;

    Vst3::int32 PLUGIN_API getUnitCount() override;
    Vst3::tresult PLUGIN_API getUnitInfo(Vst3::int32 unitIndex, Vst3::UnitInfo& info) override;
    Vst3::int32 PLUGIN_API getProgramListCount() override;
    Vst3::tresult PLUGIN_API getProgramListInfo(Vst3::int32 listIndex, Vst3::ProgramListInfo& info) override;
    Vst3::tresult PLUGIN_API getProgramName(Vst3::int32 listId, Vst3::int32 programIndex,
                                            Vst3::String128 name) override;
    Vst3::tresult PLUGIN_API getProgramInfo(Vst3::int32 listId, Vst3::int32 programIndex,
                                            Vst3::FIDString attributeId, Vst3::String128 value) override;
    Vst3::tresult PLUGIN_API hasProgramPitchNames(Vst3::int32 listId, Vst3::int32 programIndex) override;
    Vst3::tresult PLUGIN_API getProgramPitchName(Vst3::int32 listId, Vst3::int32 programIndex, Vst3::int16 pitch,
                                                 Vst3::String128 name) override;
    Vst3::int32 PLUGIN_API getSelectedUnit() override;
    Vst3::tresult PLUGIN_API selectUnit(Vst3::int32 unitId) override;
    Vst3::tresult PLUGIN_API getUnitByBus(Vst3::int32 type, Vst3::int32 direction, Vst3::int32 busIndex,
                                          Vst3::int32 channel, Vst3::int32& unitId) override;
    Vst3::tresult PLUGIN_API setUnitProgramData(Vst3::int32 listOrUnitId, Vst3::int32 programIndex,
                                                Vst3::IBStream* data) override;

    void ShowHostContextMenu(int index, int x, int y) override;
    void BeginParamEdit(int index) override;
    void AutomateParam(int index, double normalised) override;
    void EndParamEdit(int index) override;
    // Asks the host to read every value again.
    void UpdateHostDisplay() override;
    // The linked value reaches the host with the other values, not as an edit of its own.
    void TellHostOfLinkedParam(int index, double normalised) override;
    bool IsRenderingOffline() override;
    int GetSamplePos() override;
    double GetTempo() override;
    void GetTimeSig(int* numerator, int* denominator) override;
    void GetTimeInfo(HostTimeInfo* info) override;
    void ResizeEditor(int width, int height) override;
    // Sets the bypass delay and asks the host to restart for the new latency.
    void SetLatency(int samples) override;
    bool SendMidiMsg(const MidiMessage* message) override;
    bool SendSysEx(const SysExMessage* message) override;

    const char* ClassName() const override;
    bool IsTypeOf(const char* name) const override;

    bool IsBypassed() const { return mBypassed; }

    // The editor window belongs to one view at a time: another view's attach is refused while
    // that window is open, and only its own view closes it.
    bool OpenEditorForView(IEffectVST3View* view, void* parentWindow);
    bool HasEditorWindowFor(const IEffectVST3View* view) const;
    void CloseEditorForView(const IEffectVST3View* view);
    // A view being destroyed leaves the view list; the others stay.
    void ForgetView(const IEffectVST3View* view);
    // Oldest first; the first gets resize requests and context menus.
    const std::vector<IEffectVST3View*>& Views() const { return mViews; }

private:
    void ReadHostName(Vst3::FUnknown* context);
    void AddBuses();
    void AddParameters();
    Vst3::int32 UnitIdForGroup(const char* group);

    Vst3::tresult LoadState(Vst3::IBStream* state);
    // Applies every parameter point due at `frame` of the block that process runs; true when
    // there was any.
    bool ApplyPointsUpTo(Vst3::int32 frame);
    void ApplyHostValue(Vst3::ParamID id, double value);
    int PresetIndexForValue(double normalised) const;
    // Whether the controller has loaded this preset for the process call running: the mark is
    // taken.
    bool TakeControllerPreset(int index);
    void TrySelectPreset(int index);
    bool SelectPresetForController(double normalised);
    void AttachInputs(const Vst3::ProcessData& data, Vst3::int32 offset, Vst3::int32 frames);
    void AttachOutputs(const Vst3::ProcessData& data, Vst3::int32 offset, Vst3::int32 frames);
    void RunBlock(Vst3::int32 frames);
    void PassThroughWithDelay(Vst3::int32 frames);
    // The delayed input into `mBypassedSignal`, or only remembered where `keep` is false.
    void DelayInputs(Vst3::int32 frames, bool keep);
    void BlendBypassedSignal(Vst3::int32 frames);
    void PrepareBypass();
    // Any thread, never waits.
    void RequestRestart(Vst3::int32 flags);
    // The timer's tick: UI thread, no lock held, as the host may call back while it restarts.
    void DeliverRestarts();
    void CopyOutputsToHost(Vst3::int32 frames);
    void DisconnectAllChannels();

    static constexpr int kNoPendingPreset = -1;

    std::atomic<bool> mBypassed{false};
    // Restart flags not yet told to the host.
    std::atomic<Vst3::int32> mPendingRestarts{0};
    RestartTimer mRestartTimer;
    // One per input channel: the bypassed input comes out as late as the processed output.
    std::vector<ChannelDelay> mBypassDelays;
    // The delayed input of a slice in which the effect fades out or in, one per input channel.
    std::vector<std::vector<double>> mBypassedSignal;
    HostBypassFade mBypassFade;
    // The process call's parameter queues, followed point by point; one queue per parameter.
    ParameterPointWalk mPointWalk;
    // Some hosts send a point at every frame of drawn or recorded automation: points take effect
    // in pieces of at least this length, each starting on the latest value of every parameter,
    // so a point acts at most this many frames less one after its own, and a block runs in at
    // most its length / kShortestPiece + 1 pieces.
    static constexpr Vst3::int32 kShortestPiece = 32;
    // Frames processed since points last took effect, up to kShortestPiece; only process uses it.
    Vst3::int32 mFramesSincePoints = kShortestPiece;
    // A program change of the audio thread that waits for the presets; only process uses it.
    int mPendingPreset = kNoPendingPreset;
    // The preset the controller loaded, and the last process call whose queues may bring that
    // same change: the call running when the controller loaded it, or the next. A host that
    // never sends it leaves no mark to skip a later change of the same program.
    // Aligned as one word, so that every compiler makes its atomic operations plain instructions.
    struct alignas(uint64_t) ControllerPresetMark
    {
        int32_t preset;
        uint32_t lastCall;
    };
    static constexpr ControllerPresetMark kNoControllerPreset{kNoPendingPreset, 0};
    std::atomic<ControllerPresetMark> mControllerPreset{kNoControllerPreset};
    static_assert(std::atomic<ControllerPresetMark>::is_always_lock_free);
    // Process calls begun, counting on from any value.
    std::atomic<uint32_t> mProcessCalls{0};
    Vst3::ProcessContext mProcessContext{};
    // Distinct parameter group names in order of first appearance; unit i + 1 is name i.
    std::vector<std::string> mUnitNames;
    std::vector<IEffectVST3View*> mViews;
    IEffectVST3View* mEditorView = nullptr;
};
