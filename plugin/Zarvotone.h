#pragma once

#include "framework/SampleArray.h"
#include "plugin/BypassCrossfade.h"
#include "plugin/CurvePreviews.h"
#include "plugin/DueDisplays.h"
#include "plugin/GentleSmoother.h"
#include "plugin/IBandFreqCurveProvider.h"
#include "plugin/IDistoCurveEditor.h"
#include "plugin/IDistoDataProvider.h"
#include "plugin/IDistoFileController.h"
#include "plugin/IEffectPresetProvider.h"
#include "plugin/IEqController.h"
#include "plugin/IFilterDataProvider.h"
#include "plugin/IncomingState.h"
#include "plugin/IScopeController.h"
#include "plugin/ITabController.h"
#include "plugin/ParamDisplayControls.h"
#include "plugin/PluginConfig.h"
#include "plugin/OversamplingSwitch.h"
#include "plugin/ProgramChangeFade.h"
#include "plugin/ProcessingUnits.h"
#include "plugin/ProgramParameters.h"
#include "plugin/ScopeBuffer.h"
#include "plugin/ScopeRedrawPace.h"
#include "plugin/ShaperPreviews.h"
#include "plugin/Smoother.h"
#include "plugin/VersionInfo.h"
#include "plugin/ZarvotoneBinding.h"
#include "plugin/ZarvotoneControls.h"
#include "dsp/units/TimeConstants.h"
#include "graphics/BitmapStrip.h"
#include "graphics/TextStyle.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class IBitmapControl;
class IGraphics;

namespace Wezmark
{
class IEqTabButton;
class ZarvotoneProgram;
}

// The effect: owns every processing unit, runs the fixed chain on each block, applies
// parameter changes to the units and holds the current program values. The editor's controls
// reach it only through the controller interfaces.
//
// Threads: the host's audio thread calls ProcessBlock under the plug-in lock; parameter
// changes, reset and activation take the same lock. The editor's requests that must not
// interrupt a block (a curve action, a drawn curve, a meter reset, a scope clear) are left in
// single words that the next block takes up while processing is active. A change or a load,
// on whatever thread, leaves the editor's texts, previews and control values to the editor's
// redraw tick on its thread. The editor's thread takes the lock only for short copies and
// computations, never around a file or a dialog.
class Zarvotone : public ZarvotoneBinding,
                  public Wezmark::ITabController,
                  public Wezmark::IEqController,
                  public Wezmark::IBandFreqCurveProvider,
                  public Wezmark::IFilterDataProvider,
                  public Wezmark::IDistoDataProvider,
                  public Wezmark::IDistoCurveEditor,
                  public Wezmark::IEffectPresetProvider,
                  public Wezmark::IScopeController,
                  public Wezmark::IDistoFileController
{
public:
    // The curve action code that means none is pending.
    static constexpr uint32_t kNoCurveAction = 20;

    explicit Zarvotone(ZarvotoneHost host);

    void Reset() override;
    void ParamChanged(int index) override;
    void ProcessBlock(double** inputs, double** outputs, int frames) override;
    void SetActive(bool active) override;
    int LatencyAtMost() const override;
    // The working parameters' texts, the same for the editor's read-outs and both bindings.
    bool FormatParamText(int index, double value, char* out, size_t size) const override;
    bool ParseParamText(int index, const char* text, double* value) const override;
    void OnHostConfigured() override;
    void OnEditorOpened() override;
    // Shows what parameter changes and loads left for the editor: read-outs, previews,
    // controls' values, the curve editors and the view settings.
    void OnRedrawTick() override;
    // The controls follow at the editor's next redraw tick.
    void PushAllParamsToGui() override;
    void OnPresetChanged() override;
    // A program change waiting for its quiet point has it: the effect is not heard.
    void OnBlockPassedBy() override;
    // An editor that replaces the one built here takes the references to its controls along.
    void AttachEditor(IGraphics* graphics) override;

    // The state block: editor settings, the first chain's curve and every parameter value.
    // A block is read only when it is whole and both its markers are right; otherwise -1 and
    // nothing changes.
    bool SerializeState(StateChunk& chunk) override;
    int UnserializeState(const StateChunk& chunk, int start) override;
    int PrepareState(const StateChunk& chunk, int start, StateChunk& prepared) override;
    // `values` as a state block holds them after its markers: 2048 curve points, then the
    // parameter values. True when the curve equals the first chain's bit for bit and every
    // parameter is within the base's tolerance.
    bool MatchesValues(const double* values, int start) override;

    // Tabs: each shows its own controls and hides the others'.
    void ShowPlugInTab() override;
    void ShowScopeTab() override;
    void ShowAboutTab() override;
    void ShowFourthTab() override;

    void SetEqPage(bool subBand) override;
    void SetEqPageInverse(bool distoBand) override;

    void GetBandFreqCurve(int band, double* out, int count) override;

    const char* GetFilterName(int unit) override;
    const char* GetFilterShortName(int unit) override;
    int GetFilterType(int unit) override;
    int GetExtraFilterType(int unit) override;

    int GetCurrentCurve() override;

    // While processing is active an action waits for the next block; a later one replaces it.
    void ApplyCurveAction(int action) override;
    std::string GetCurveFilePath() override;
    void ImportCurveCsv(const std::string& path) override;
    void ImportCurveWav(const std::string& path) override;
    void ExportCurveCsv(const std::string& path) override;
    void ExportCurveWav(const std::string& path) override;
    void ExportCurveSource(const std::string& path) override;
    void CommitDrawnCurve() override;
    void PrepareCurveDrawing() override;
    bool IsProcessingActive() override { return mProcessingActive.load(std::memory_order_relaxed); }

    std::string GetPresetDisplayName() override;

    void SetFrozen(bool frozen) override;
    void StepZoom(bool zoomIn, double step) override;
    int GetDrawMode() override;
    void SetDrawMode(int mode) override;
    bool IsInputTraceShown() override;
    bool IsOutputTraceShown() override;
    void SetInputTraceShown(double shown) override;
    void SetOutputTraceShown(double shown) override;

    // Program files, on the editor's thread. Either way the path becomes the last selected
    // program file; loading a text file also takes its settings section.
    std::string GetProgramFilePath() override;
    void SaveProgramFile(const std::string& path) override;
    void LoadProgramFile(const std::string& path) override;
    // VST2 program files; the VST3 plug-in has none and answers false.
    bool SaveFxpFile(const std::string& path) override;
    bool LoadFxpFile(const std::string& path) override;

    // The curve changed: the draw area takes its points, the previews follow. UI thread.
    void RefreshCurveEditor();
    // After the editor opened or a state or program was loaded: the tab, the zoom text and the
    // scope buttons show the settings.
    void RedrawCurveEditors();
    void UpdateZoomText();

    // Stores the parameter's value in the program values and hands it to the units; the
    // caller holds the plug-in lock.
    void ApplyParamChange(int index);

    // While processing is active the holds clear at the start of the next block, otherwise at once.
    void RequestMeterReset();

    // "VST Plugin Host: <host> (WIN 64-bit)" for the about page.
    std::string GetHostText();

    ProcessingUnits& Units() { return mUnits; }
    const ProgramParameters& CurrentValues() const { return mCurrentValues; }
    PluginConfig& Config() { return mConfig; }
    const ScopeBuffer& Scope() const { return mScope; }
    const Wezmark::VersionInfo& Version() const { return mVersionInfo; }
    double PeakHold(int channel) const;
    double LastTempo() const { return mLastTempo; }
    // The section builders fill these; tests attach their own.
    ZarvotoneControls& Controls() { return mControls; }
    const CurvePreviews& Previews() const { return mPreviews; }
    ParamDisplayControls& Displays() { return mDisplays; }
    const ShaperPreviews& ShaperPreview() const { return mShaperPreviews; }

    // The editor's size and redraw rate.
    static constexpr int kEditorWidth = 650;
    static constexpr int kEditorHeight = 830;
    static constexpr int kEditorFrameRate = 25;
    // The twelve text styles the section builders copy into their texts.
    static constexpr int kTextStyleCount = 12;
    // Fills the editor with the background, the tab buttons and every section, then attaches
    // it; the editor window in the plug-in, a windowless editor in tests.
    void BuildEditor(IGraphics* graphics);

private:
    void InitDspState();
    void SetGlidePaces(double rate);
    void ApplyProgram(const Wezmark::ZarvotoneProgram& program, const std::string& curveText);
    const char* CurrentPresetName() const;
    void BuildFactoryPresets();
    void DefineParameters();
    void DefineParameter(int index, const char* name, double defaultValue, double minimum, double maximum,
                         double step, const char* label, const char* group, double shape);
    IGraphics* CreateEditor();

    // Parameter application.
    void ApplyToUnits(int index, double p);
    void SetGlideTarget(int index, double p);
    void SetCrossfadedSetting(int index, double p);
    void ApplyFilterType(int slot, double p);
    void ApplyBandLink(double p);
    // Loaded values as the parameters hold them once applied: a linked cutoff follows its partner.
    void LinkBandCutoffs(std::array<double, kTotalParamCount>& values) const;
    void MirrorParam(int index, double value);
    void ReportLatency();
    // Whether the output has been heard since the preparation: a loaded state then waits for
    // the quiet point of a program change fade.
    bool OutputHeard() const;
    // Every parameter's value reaches the units, then the loaded state's curve.
    void ApplyLoadedValues();
    void RestoreLoadedCurve();
    // A program change's quiet point: the new values are applied and the units and the block
    // routine's own glides stand on their targets where they can. The block routine takes it
    // step by step over the silent frames after the point; this takes every step at once.
    void ApplyAtQuietPoint();
    void TakeQuietPointStep(int32_t step);
    // Ends a program change fade at once, applying a state that waits for its quiet point:
    // after this none comes.
    void EndProgramFade();
    // The curve a saved state holds: a loaded one that waits for the quiet point, else the
    // first chain's.
    const DistortionCurve* StateCurve() const;
    // On the thread of a change: which previews the curve editors show and the reset of the
    // holds follow at once; the rest waits for the editor's redraw tick.
    void UpdateParamDisplays(int index);
    void MarkDisplayDue(int index);
    void ShowAtOnce(int index);
    // The curve editors show the distortion previews; the curve and the previews follow at the
    // editor's redraw tick. Any thread.
    void RequestCurveEditorRefresh();
    // The UI thread's part, under the plug-in lock.
    void ShowDueDisplays();
    // The read-outs, tooltips, previews and grey state that follow the units after a change.
    void ShowUnitDisplays(int index);
    void FormatUnitText(int index, char* out, size_t size) const;
    void PublishUnitText(ITextControl* control, int index) const;
    // "<prefix>: <text of the value>" as the control's tooltip.
    void ShowTooltipWithText(IControl* control, const char* prefix, int index) const;
    void ShowCurveInEditors();
    void ShowDistortionPreviews();
    void ShowShaperPreviews();
    void ShowPreviewMode(int32_t mode);
    void RedrawPreviews();

    // The section builders, called once each by BuildEditor in this order.
    void AttachInputSection();
    void AttachDistortionSection();
    void AttachFilterSection();
    void AttachEqSection();
    void AttachEqPage(Wezmark::IEqTabButton* button, const std::array<int, 4>& params,
                      ParamDisplayControls::EqGainTexts& gainTexts, const Wezmark::Eq4Band& eq);
    void AttachBandSplitSection();
    void AttachPresetSection();
    void AttachInfoSection();
    void AttachOutputSection();
    void AttachAboutTab();
    void AttachScopeTab();
    // Builder helpers: a bitmap of the editor's resources, and a control added to a tab's list.
    BitmapStrip LoadEditorBitmap(int id, const char* path, int frames);
    template <class Control>
    Control* AddToTab(Control* control, ZarvotoneControls::Tab tab = ZarvotoneControls::kPlugInTab)
    {
        ListControl(control, tab);
        return control;
    }
    void ListControl(IControl* control, ZarvotoneControls::Tab tab);
    // Texts and images that only show: a press passes through them to whatever lies beneath.
    ITextControl* NewCaption(const Rect& rect, const TextStyle* style, const char* text);
    IBitmapControl* NewPlate(int x, int y, const BitmapStrip* strip);
    const TextStyle* Style(int index) const { return &mTextStyles[static_cast<size_t>(index)]; }

    // The block routine, on at most the prepared number of frames.
    void ProcessSlice(const double* const inputs[2], double* const outputs[2], int32_t frames);
    // False, and nothing done, where a chain's curve has no room for the edit yet.
    bool ApplyCurveActionToChains(uint32_t action);
    // Off the audio thread: room in every chain for the curve edits that the audio thread may
    // make next (a pending action, a drawing, a loaded state's curve).
    void ReserveCurveStorage();
    bool CurvesEditable() const;
    // The draw area's columns into every chain's curve; false, and nothing changed, where a
    // chain has no room for them yet.
    bool CommitDrawing();
    // The block's editor steps: the drawn curve, and redraws of what the block changed.
    void CommitDrawingFromBlock();
    // Scope requests now when no block is running, otherwise the next block takes them.
    void TakeScopeRequestsIfIdle();
    void ShowTab(ZarvotoneControls::Tab tab);
    void ShowTabList(ZarvotoneControls::Tab tab, bool show);
    void HideListedControls(const std::vector<int32_t>& indexes, bool hide);
    int FilterTypeOfUnit(int unit);
    using CurveReader = bool (*)(DistortionCurve* curve, const std::string& path);
    using CurveWriter = bool (*)(const DistortionCurve* curve, const std::string& path);
    void ImportCurve(const std::string& path, CurveReader read);
    void ExportCurve(const std::string& path, CurveWriter write);
    void StoreCurveFilePath(const std::string& path);
    // The first chain's curve into every other chain.
    void CopyFirstCurveToOtherChains();
    void RunUnits(int32_t frames);
    void RunEffectPath(int32_t frames);
    void PanAndMix(int32_t frames);
    void AlignDryWithChain(bool bypassHeard, int32_t frames);
    void AlignDry(int32_t frames);
    bool DryHeard() const;
    void AlignBypassedSignal(double bypassTarget, int32_t frames);
    bool BypassHeard(double bypassTarget) const;
    void VolumeGuardAndHolds(int32_t frames);
    void ChooseVolumePace(double target);
    // True when the ring changed: new entries or a request carried out.
    bool FeedScope(int32_t frames);
    uint32_t ScopeDecimation() const;
    int VisibleTab() const;
    void PollTempo();
    // The mode the applied parameter values ask for.
    bool OversamplingWanted() const;
    // The mode the parameter is set to, which a program change may not have applied yet.
    bool OversamplingSet() const;
    template <class Start, class Piece>
    void RunRateStage(Oversampler& oversampler, double* const signal[2], int32_t frames, Start start, Piece piece);
    void RunChainStage(Oversampler& oversampler, DistortionChain RateStages::*member, bool on, double* const chain[2],
                       int32_t frames);
    void AlignThrough(std::span<Oversampler> oversamplers, bool heard, bool& running, ChannelPair& pair,
                      int32_t frames);

    Wezmark::VersionInfo mVersionInfo;
    ProgramParameters mCurrentValues;
    Smoother mPanSmoother;
    Smoother mVolumeSmoother;
    // The volume's rise and fall paces at the current rate.
    double mVolumeRiseKeep = TimeConstants::kVolumeRiseKeep;
    double mVolumeFallKeep = TimeConstants::kVolumeFallKeep;
    // The target the volume's pace was chosen for.
    double mVolumeGlideTarget = 1.0;
    // While both the panning and the volume glide, the volume's values for the slice are
    // stepped beside the panning's, and the volume glide as it stands after them waits here
    // until they are applied.
    SampleArray mSteppedVolumes;
    Smoother mSteppedVolume;
    bool mVolumeStepped = false;
    // Wet and dry may differ by more than either signal moves in a frame: a one-pole mix glide
    // stepped by almost twice the signal's own steps at its start.
    GentleSmoother mDryWetSmoother;
    BypassCrossfade mBypass;
    ProcessingUnits mUnits;
    OversamplingSwitch mOversamplingSwitch;
    ProgramChangeFade mProgramFade;
    // Under the plug-in lock while a state or program file loads its values.
    bool mLoadingValues = false;
    // The state a load reads; the state lock guards it.
    IncomingState mIncoming;
    // Whether the dry signal and the bypassed signal ran through their round trips last block.
    bool mDryAligningWithChain = false;
    // Whether the input stage passed this block unchanged.
    bool mInputIdle = false;
    bool mDryAligning = false;
    bool mBypassAligning = false;
    ScopeBuffer mScope;
    ScopeRedrawPace mScopePace;
    std::atomic<bool> mMeterResetRequest{false};
    std::atomic<uint32_t> mPendingCurveAction{kNoCurveAction};
    std::atomic<double> mPeakHoldLeft{0.0};
    std::atomic<double> mPeakHoldRight{0.0};

    // Work buffers of the block routine: the input as it came, the effect path, silence for a
    // missing input, and the signal itself (never the host's buffers, which may alias).
    ChannelPair mDry;
    ChannelPair mChainSignal;
    SampleArray mSilence;
    ChannelPair mSignal;
    // The oversampled path's copy of a stage's block while a switch runs both paths.
    ChannelPair mSwitchSignal;
    // 0 until Reset has sized everything; a block then plays silence.
    int32_t mPreparedFrames = 0;
    // Until the first block after a preparation, settings glide from values nothing was heard of.
    bool mFirstBlockAfterPrepare = false;

    std::atomic<bool> mProcessingActive{false};
    double mLastTempo;
    std::atomic<bool> mScopeFrozen{false};
    PluginConfig mConfig;
    CurvePreviews mPreviews;
    ZarvotoneControls mControls;
    ShaperPreviews mShaperPreviews;
    ParamDisplayControls mDisplays;
    DueDisplays mDueDisplays;
    std::array<TextStyle, kTextStyleCount> mTextStyles{};
};
