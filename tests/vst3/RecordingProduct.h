#pragma once
// A product on the VST3 binding that records what the binding asks of it. Its parameters
// cover the kinds the binding converts: 0 "Gain" 0..2 with a label, 1 "Mode" 0..3 with
// display texts (2 has an empty one), 2 "Trim" -12..12 shown negated, 3 "Curve" 0..100 with
// shape 2 and no group, 4-83 spares; 84 is left undefined. Its block routine crosses the
// channels (left out = right in x gain), so processing in place would show. Its state is a
// marker and the parameter values; preset k holds gain 1 + k / 128, so preset 0
// (selected by initialize) keeps the default gain.

#include "vst3/IEffectVST3.h"

#include <vector>

class RecordingProduct : public IEffectVST3
{
public:
    static constexpr int kGain = 0;
    static constexpr int kMode = 1;
    static constexpr int kTrim = 2;
    static constexpr int kCurve = 3;
    static constexpr int kUndefined = 84;
    static constexpr int32_t kStateMarker = 0x54535A52;

    struct Block
    {
        int frames;
        double* inputs[2];
        double* outputs[2];
    };

    RecordingProduct();
    ~RecordingProduct() override;

    static int aliveCount;

    void Reset() override;
    void ParamChanged(int index) override;
    void ProcessBlock(double** inputs, double** outputs, int frames) override;
    void SetActive(bool active) override;
    void OnHostConfigured() override;
    void OnPresetChanged() override;
    void OnEditorOpened() override;
    void OnEditorClosed() override;
    void OnEditorResized() override;
    bool SerializeState(StateChunk& chunk) override;
    int UnserializeState(const StateChunk& chunk, int start) override;

    static double PresetGain(int preset) { return 1.0 + preset / 128.0; }

    // The product's own routine on two channels, for comparison.
    static void CrossChannels(const double* const* inputs, double* const* outputs, int frames, double gain);

    int32_t HostId() const { return mHostId; }
    Vst3::ParameterContainer& Container() { return Parameters(); }

    std::vector<int> changedParams;
    std::vector<Block> blocks;
    std::vector<bool> activeCalls;
    int resetCount = 0;
    int hostConfiguredCount = 0;
    int presetChanges = 0;
    int editorOpenedCount = 0;
    int editorClosedCount = 0;
    int editorResizedCount = 0;
};
