#pragma once

#include "framework/SampleArray.h"
#include "plugin/PluginConfig.h"
#include "plugin/OversamplingSwitch.h"
#include "plugin/ProcessingUnits.h"
#include "plugin/ProgramParameters.h"
#include "plugin/ScopeBuffer.h"
#include "plugin/Smoother.h"
#include "plugin/VersionInfo.h"
#include "plugin/ZarvotoneBinding.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <string>

class IGraphics;

namespace Wezmark
{
class ZarvotoneProgram;
}

// The effect: owns every processing unit, runs the fixed chain on each block, applies
// parameter changes to the units and holds the current program values.
//
// Threads: the host's audio thread calls ProcessBlock under the plug-in lock; parameter
// changes, reset and activation take the same lock. The editor's requests that must not
// interrupt a block (a curve action, a meter reset) are left in single words that the
// next block takes up while processing is active.
class Zarvotone : public ZarvotoneBinding
{
public:
    // The curve action code that means none is pending.
    static constexpr uint32_t kNoCurveAction = 20;

    explicit Zarvotone(ZarvotoneHost host);

    void Reset() override;
    void ParamChanged(int index) override;
    void ProcessBlock(double** inputs, double** outputs, int frames) override;
    void SetActive(bool active) override;

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

    // Program files, on the editor's thread. Saving reports whether the file was written;
    // either way the path becomes the last selected program file. Loading a text file
    // reports whether its program was applied, then takes the settings section.
    bool SaveProgramFile(const std::string& path);
    bool LoadProgramFile(const std::string& path);
    // VST2 program files; the VST3 plug-in has none and answers false.
    bool SaveFxpFile(const std::string& path);
    bool LoadFxpFile(const std::string& path);

    // Stores the parameter's value in the program values and hands it to the units; the
    // caller holds the plug-in lock.
    void ApplyParamChange(int index);

    // While processing is active these are taken up at the start of the next block,
    // otherwise they apply at once.
    void RequestCurveAction(uint32_t action);
    void RequestMeterReset();
    bool IsProcessingActive() const { return mProcessingActive.load(std::memory_order_relaxed); }

    // "VST Plugin Host: <host> (WIN 64-bit)" for the about page.
    std::string GetHostText();

    ProcessingUnits& Units() { return mUnits; }
    const ProgramParameters& CurrentValues() const { return mCurrentValues; }
    PluginConfig& Config() { return mConfig; }
    const ScopeBuffer& Scope() const { return mScope; }
    const Wezmark::VersionInfo& Version() const { return mVersionInfo; }
    double PeakHold(int channel) const;
    double LastTempo() const { return mLastTempo; }
    void SetScopeFrozen(bool frozen) { mScopeFrozen.store(frozen, std::memory_order_relaxed); }

private:
    void InitDspState();
    void ApplyProgram(const Wezmark::ZarvotoneProgram& program, const std::string& curveText);
    const char* CurrentPresetName() const;
    void BuildFactoryPresets();
    void DefineParameters();
    void DefineParameter(int index, const char* name, double defaultValue, double minimum, double maximum,
                         double step, const char* label, const char* group, double shape);
    IGraphics* CreateEditor();

    // Parameter application.
    void ApplyToUnits(int index, double p);
    void ApplyFilterType(int slot, double p);
    void ApplyBandLink(double p);
    // Loaded values as the parameters hold them once applied: a linked cutoff follows its partner.
    void LinkBandCutoffs(std::array<double, kTotalParamCount>& values) const;
    void MirrorParam(int index, double value);
    void RefreshMakeUp();
    void ReportLatency();
    void UpdateParamDisplays(int index);

    // The block routine, on at most the prepared number of frames.
    void ProcessSlice(const double* const inputs[2], double* const outputs[2], int32_t frames);
    void ApplyCurveActionToChains(uint32_t action);
    void RunEffectPath(int32_t frames);
    void PanAndMix(int32_t frames);
    void AlignDry(int32_t frames);
    void AlignBypassedSignal(double bypassTarget, int32_t frames);
    void VolumeGuardAndHolds(int32_t frames);
    void FeedScope(int32_t frames);
    uint32_t ScopeDecimation() const;
    int VisibleTab() const;
    void PollTempo();
    // The mode the block routine runs in, and the one the parameter asks for.
    bool Oversampling() const;
    bool OversamplingWanted() const;

    Wezmark::VersionInfo mVersionInfo;
    ProgramParameters mCurrentValues;
    Smoother mPanSmoother;
    Smoother mVolumeSmoother;
    Smoother mDryWetSmoother;
    Smoother mBypassSmoother;
    // What the block routine tests to skip the effect path.
    double mBypassLast = 0.0;
    ProcessingUnits mUnits;
    OversamplingSwitch mOversamplingSwitch;
    // Whether the dry signal and the bypassed signal ran through their round trips last block.
    bool mDryAligning = false;
    bool mBypassAligning = false;
    ScopeBuffer mScope;
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
    // 0 until Reset has sized everything; a block then plays silence.
    int32_t mPreparedFrames = 0;

    std::atomic<bool> mProcessingActive{false};
    double mLastTempo;
    std::atomic<bool> mScopeFrozen{false};
    PluginConfig mConfig;
};
