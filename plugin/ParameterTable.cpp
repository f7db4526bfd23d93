#include "plugin/ParameterTable.h"

#include "framework/SharedConstants.h"

#include <array>
#include <cstdio>

namespace
{
constexpr double kThird = 1.0 / 3.0;
constexpr double kTwoThirds = 2.0 / 3.0;
constexpr double kNinth = 1.0 / 9.0;
constexpr double kThirtyFirst = 1.0 / 31.0;
constexpr double kFine = 0.001;
// The stored control value of a 200 Hz band split.
constexpr double kSplitDefault = 0.38915574457972946;
constexpr double kMinus3dB = 0.7079457843841379;
constexpr double kMinus12dB = 0.251188643150958;
constexpr double kMinus48dB = 0.003981071705534;

constexpr char kNoLabel[] = "";
constexpr char kNoGroup[] = "";

// The defaults are also the values of a reset program.
constexpr std::array<ParameterDefinition, kWorkingParamCount> kDefinitions = {{
    {"Input Volume", kGroupInput, kNoLabel, 1.0, 0.0, kFine, "InputVolume", ChangeKind::kGlides},
    {"Input DC Offset", kGroupInput, kNoLabel, 0.5, 0.0, kFine, "InputDCOffset", ChangeKind::kGlides},
    {"Input Saturation", kGroupInput, kNoLabel, 0.0, 0.0, kFine, "InputSaturation", ChangeKind::kGlides},
    {"Input Saturation Mode", kGroupInput, kNoLabel, 0.5, 0.0, kThird, "InputSaturationMode", ChangeKind::kCrossfades},
    {"Input Mono/Stereo Mode", kGroupInput, kNoLabel, 0.0, 0.0, 0.2, "InputMode", ChangeKind::kCrossfades},
    {"Bit-Crash Quantization", kGroupDistortion, kNoLabel, 1.0, 0.0, kFine, "Quantization", ChangeKind::kCrossfades},
    {"Sample-Rate Reduction", kGroupDistortion, kNoLabel, 1.0, 0.0, kFine, "SampleRate", ChangeKind::kGlides},
    {"Noise-Gate Level", kGroupDistortion, kNoLabel, 0.0, 0.0, kFine, "Gate", ChangeKind::kGlides},
    {"Distortion Unit On/Off", kGroupDistortion, kNoLabel, 1.0, 0.0, 1.0, "DistortionOnOff", ChangeKind::kCrossfades},
    {"Distortion Amount", kGroupDistortion, kNoLabel, 0.0, 0.0, kFine, "Distortion", ChangeKind::kGlides},
    {"Distortion Type", kGroupDistortion, kNoLabel, 0.0, 0.0, kFine, "DistortionType", ChangeKind::kCrossfades},
    {"Distortion Mode", kGroupDistortion, kNoLabel, 0.5, 0.0, kThird, "DistortionLoudness", ChangeKind::kCrossfades},
    {"Distortion Curve Interpolation", kGroupDistortion, kNoLabel, 1.0, 0.0, kFine, "DistortionInterpMode", ChangeKind::kCrossfades},
    {"Distortion Polarity", kGroupDistortion, kNoLabel, 0.0, 0.0, kThird, "DistortionPosNegBoth", ChangeKind::kCrossfades},
    {"Distortion Pre-Filter Process", kGroupDistortion, kNoLabel, 0.0, 0.0, kThird, "DistortionPreProcess", ChangeKind::kCrossfades},
    {"Distortion Post-Filter Process", kGroupDistortion, kNoLabel, 1.0, 0.0, kThird, "DistortionPostProcess", ChangeKind::kCrossfades},
    {"Dynamic Shaper Amount", kGroupDistortion, kNoLabel, 0.0, 0.0, kFine, "DynShaper", ChangeKind::kGlides},
    {"Dynamic Shaper Width", kGroupDistortion, kNoLabel, 0.25, 0.0, kFine, "DynShaperWidth", ChangeKind::kGlides},
    {"Dynamic Shaper Invert Shape", kGroupDistortion, kNoLabel, 0.0, 0.0, 1.0, "DynShaperInvert", ChangeKind::kCrossfades},
    {"Dynamic Shaper Waveform", kGroupDistortion, kNoLabel, 0.0, 0.0, kNinth, "DynShaperType", ChangeKind::kCrossfades},
    {"Dynamic Shaper Mode", kGroupDistortion, kNoLabel, 0.0, 0.0, kFine, "DynShaperMode", ChangeKind::kCrossfades},
    {"Dynamic Shaper Polarity", kGroupDistortion, kNoLabel, 0.0, 0.0, kThird, "DynShaperPosNegBoth", ChangeKind::kCrossfades},
    {"Filter Unit On/Off", kGroupDistoBandFilter, kNoLabel, 1.0, 0.0, 1.0, "FilterOnOff", ChangeKind::kCrossfades},
    {"Filter Input Drive", kGroupDistoBandFilter, kNoLabel, 0.0, 0.0, kFine, "FilterInputDrive", ChangeKind::kGlides},
    {"Filter 1/2 Balance", kGroupDistoBandFilter, kNoLabel, 0.5, 0.0, kFine, "FilterType", ChangeKind::kGlides},
    {"Filter Cutoff Frequency", kGroupDistoBandFilter, "Hz", 1.0, 0.0, kFine, "FilterCutoff", ChangeKind::kGlides},
    {"Filter Resonance/Band-Width", kGroupDistoBandFilter, kNoLabel, 0.0, 0.0, kFine, "FilterResonance", ChangeKind::kGlides},
    {"Filter 1 Type", kGroupDistoBandFilter, kNoLabel, 0.0, 0.0, kThirtyFirst, "FilterMode1", ChangeKind::kCrossfades},
    {"Filter 2 Type", kGroupDistoBandFilter, kNoLabel, 0.0, 0.0, kThirtyFirst, "FilterMode2", ChangeKind::kCrossfades},
    {"Filter Transition Speed", kGroupDistoBandFilter, kNoLabel, 1.0, 0.0, kThird, "FilterTransition", ChangeKind::kCrossfades},
    {"Disto-Band EQ On/Off", kGroupDistoBandEq, kNoLabel, 1.0, 0.0, 1.0, "EqOnOff", ChangeKind::kCrossfades},
    {"Disto-Band EQ Bass Range", kGroupDistoBandEq, kNoLabel, 0.5, 0.0, kFine, "BassAmount", ChangeKind::kGlides},
    {"Disto-Band EQ Low Mid Range", kGroupDistoBandEq, kNoLabel, 0.5, 0.0, kFine, "LowMidAmount", ChangeKind::kGlides},
    {"Disto-Band EQ High Mid Range", kGroupDistoBandEq, kNoLabel, 0.5, 0.0, kFine, "HighMidAmount", ChangeKind::kGlides},
    {"Disto-Band EQ High Range", kGroupDistoBandEq, kNoLabel, 0.5, 0.0, kFine, "HighAmount", ChangeKind::kGlides},
    {"Sub-Band/Disto-Band On/Off", kGroupSubBandProcessor, kNoLabel, 1.0, 0.0, 1.0, "SubBandProcOnOff", ChangeKind::kCrossfades},
    {"Sub-Band Mono/Stereo Mode", kGroupSubBandProcessor, kNoLabel, 0.0, 0.0, 0.2, "SubBandChannelMode", ChangeKind::kCrossfades},
    {"Sub-Band Gain Amount", kGroupSubBandProcessor, kNoLabel, 1.0, 0.0, kFine, "SubBandGain", ChangeKind::kGlides},
    {"Sub-Band Saturation", kGroupSubBandProcessor, kNoLabel, 0.0, 0.0, kFine, "SubBandSaturation", ChangeKind::kGlides},
    {"Sub-Band Saturation Mode", kGroupSubBandProcessor, kNoLabel, 0.5, 0.0, kFine, "SubBandSaturationMode", ChangeKind::kCrossfades},
    {"Sub-Band Distortion", kGroupSubBandProcessor, kNoLabel, 0.0, 0.0, kFine, "SubBandDistortion", ChangeKind::kGlides},
    {"Sub-Band EQ On/Off", kGroupSubBandEq, kNoLabel, 1.0, 0.0, 1.0, "SubBandEqOnOff", ChangeKind::kCrossfades},
    {"Sub-Band EQ Bass Amount", kGroupSubBandEq, kNoLabel, 0.5, 0.0, kFine, "SubBandBassAmount", ChangeKind::kGlides},
    {"Sub-Band EQ Mid Amount", kGroupSubBandEq, kNoLabel, 0.5, 0.0, kFine, "SubBandLowMidAmount", ChangeKind::kGlides},
    {"Sub-Band EQ High Mid Amount", kGroupSubBandEq, kNoLabel, 0.5, 0.0, kFine, "SubBandHighMidAmount", ChangeKind::kGlides},
    {"Sub-Band EQ High Amount", kGroupSubBandEq, kNoLabel, 0.5, 0.0, kFine, "SubBandHighAmount", ChangeKind::kGlides},
    {"Sub-Band/Disto-Band Filter Link", kGroupSubBandProcessor, kNoLabel, 1.0, 0.0, kFine, "FilterLink", ChangeKind::kCrossfades},
    {"Sub-Band Cutoff Frequency", kGroupSubBandProcessor, kNoLabel, kSplitDefault, 0.0, kFine, "SubBandCutoff", ChangeKind::kGlides},
    {"Sub-Band Filter Slope", kGroupSubBandProcessor, kNoLabel, kThird, 0.0, 0.25, "SubBandFilterSlope", ChangeKind::kCrossfades},
    {"Disto-Band Cutoff Frequency", kGroupSubBandProcessor, kNoLabel, kSplitDefault, 0.0, kFine, "DistoBandCutoff", ChangeKind::kGlides},
    {"Disto-Band Filter Slope", kGroupSubBandProcessor, kNoLabel, kTwoThirds, 0.0, 1.0, "DistoBandFilterSlope", ChangeKind::kCrossfades},
    {"Disto-Band Gain Amount", kGroupSubBandProcessor, kNoLabel, 1.0, 0.0, kFine, "DistoBandGain", ChangeKind::kGlides},
    {"Bypass All Effect Units", kNoGroup, kNoLabel, 0.0, 0.0, 1.0, "BypassFX", ChangeKind::kCrossfades},
    {"Output Stereo Panning", kGroupOutput, kNoLabel, 0.5, 0.0, kFine, "Pan", ChangeKind::kGlides},
    {"Output Saturation", kGroupOutput, kNoLabel, 0.0, 0.0, kFine, "Saturation", ChangeKind::kGlides},
    {"Output Saturation Mode", kGroupOutput, kNoLabel, 0.5, 0.0, kThird, "SaturationMode", ChangeKind::kCrossfades},
    {"High-Quality Output Filter", kGroupOutput, kNoLabel, 0.0, 0.0, kThird, "HqFilter", ChangeKind::kCrossfades},
    {"Output Low-Pass/High-Pass Filter", kGroupOutput, kNoLabel, 0.5, 0.0, kFine, "DumpExpand", ChangeKind::kGlides},
    {"Output Low-Pass/High-Pass Filter Slope", kGroupOutput, kNoLabel, 0.0, 0.0, 1.0, "DumpExpandSlope", ChangeKind::kCrossfades},
    {"Output Limiter Level", kGroupOutput, kNoLabel, kMinus3dB, kMinus48dB, kFine, "LimiterLevel", ChangeKind::kGlides},
    {"Output Limiter Mode", kGroupOutput, kNoLabel, kThird, 0.0, 0.25, "LimiterMode", ChangeKind::kCrossfades},
    {"Oversampling", kGroupOutput, kNoLabel, 0.0, 0.0, kFine, "Oversampling", ChangeKind::kCrossfades},
    {"Output Dry/Wet Mix", kGroupOutput, kNoLabel, 1.0, 0.0, kFine, "DryWet", ChangeKind::kGlides},
    {"Output Volume", kGroupOutput, kNoLabel, kMinus12dB, 0.0, kFine, "Volume", ChangeKind::kGlides},
    {"Auto Make-Up", kGroupOutput, kNoLabel, 0.0, 0.0, 0.5, "AutoMakeUp", ChangeKind::kCrossfades},
}};

constexpr char kReservedNameFormat[] = "Reserved Parameter %2.2d";
constexpr char kReservedKeyFormat[] = "Reserved_%2.2d";
}

const ParameterDefinition& GetParameterDefinition(int index)
{
    return kDefinitions.at(static_cast<size_t>(index));
}

ChangeKind ChangeKindOf(int index)
{
    if (index < 0 || index >= kWorkingParamCount)
        return ChangeKind::kFeedsNothing;
    return kDefinitions[static_cast<size_t>(index)].change;
}

void FormatReservedParamName(int index, char* out, int size)
{
    std::snprintf(out, static_cast<size_t>(size), kReservedNameFormat, index - kFirstReservedParam);
}

void FormatReservedParamKey(int index, char* out, int size)
{
    std::snprintf(out, static_cast<size_t>(size), kReservedKeyFormat, index - kFirstReservedParam + 1);
}
