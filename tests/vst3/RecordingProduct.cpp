#include "tests/vst3/RecordingProduct.h"

#include <cstdio>

int RecordingProduct::aliveCount = 0;

RecordingProduct::RecordingProduct()
{
    ++aliveCount;
    GetParam(kGain)->InitContinuous("Gain", 1.0, 0.0, 2.0, 0.01, "x", "Level", 1.0);
    IParameter* mode = GetParam(kMode);
    mode->InitContinuous("Mode", 0.0, 0.0, 3.0, 1.0, "", "Shape", 1.0);
    mode->AddDisplayText(0, "Soft");
    mode->AddDisplayText(1, "Hard");
    mode->AddDisplayText(2, "");
    mode->AddDisplayText(3, "Max");
    GetParam(kTrim)->InitContinuous("Trim", 0.0, -12.0, 12.0, 0.01, "dB", "Level", 1.0);
    GetParam(kTrim)->SetNegateDisplay(true);
    GetParam(kCurve)->InitContinuous("Curve", 25.0, 0.0, 100.0, 0.1, "%", "", 2.0);
    char name[IParameter::kTextSize];
    for (int i = kCurve + 1; i < kUndefined; ++i)
    {
        std::snprintf(name, sizeof name, "Spare %02d", i);
        GetParam(i)->InitContinuous(name, 0.5, 0.0, 1.0, 0.001, "", "Spare", 1.0);
    }

    for (int k = 0; k < GetPresetCount(); ++k)
    {
        GetParam(kGain)->SetPlain(PresetGain(k));
        StateChunk state;
        SerializeState(state);
        std::snprintf(name, sizeof name, "Preset %d", k);
        AddFactoryPreset(name, state);
    }
    GetParam(kGain)->SetPlain(GetParam(kGain)->Default());
}

RecordingProduct::~RecordingProduct()
{
    --aliveCount;
}

void RecordingProduct::OnEditorOpened()
{
    ++editorOpenedCount;
}

void RecordingProduct::OnEditorClosed()
{
    ++editorClosedCount;
}

void RecordingProduct::OnEditorResized()
{
    ++editorResizedCount;
}

void RecordingProduct::Reset()
{
    IEffectVST3::Reset();
    ++resetCount;
}

void RecordingProduct::ParamChanged(int index)
{
    IEffectVST3::ParamChanged(index);
    changedParams.push_back(index);
}

void RecordingProduct::CrossChannels(const double* const* inputs, double* const* outputs, int frames, double gain)
{
    for (int i = 0; i < frames; ++i)
    {
        outputs[0][i] = inputs[1][i] * gain;
        outputs[1][i] = inputs[0][i] * gain;
    }
}

void RecordingProduct::ProcessBlock(double** inputs, double** outputs, int frames)
{
    blocks.push_back({frames, {inputs[0], inputs[1]}, {outputs[0], outputs[1]}});
    CrossChannels(inputs, outputs, frames, GetParam(kGain)->Value());
}

void RecordingProduct::SetActive(bool active)
{
    IEffectVST3::SetActive(active);
    activeCalls.push_back(active);
}

void RecordingProduct::OnHostConfigured()
{
    ++hostConfiguredCount;
}

void RecordingProduct::OnPresetChanged()
{
    ++presetChanges;
}

bool RecordingProduct::SerializeState(StateChunk& chunk)
{
    return chunk.AppendInt32(kStateMarker) && SerializeParams(chunk);
}

int RecordingProduct::UnserializeState(const StateChunk& chunk, int start)
{
    int32_t marker = 0;
    const int values = chunk.ReadInt32(marker, start);
    if (values < 0 || marker != kStateMarker ||
        !chunk.HasBytes(static_cast<int64_t>(GetParamCount()) * static_cast<int64_t>(sizeof(double)), values))
        return -1;
    return UnserializeParams(chunk, values);
}
