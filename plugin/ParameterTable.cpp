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
    {"Input Volume", kGroupInput, kNoLabel, 1.0, 0.0, kFine, "InputVolume"},
    {"Input DC Offset", kGroupInput, kNoLabel, 0.5, 0.0, kFine, "InputDCOffset"},
    {"Input Saturation", kGroupInput, kNoLabel, 0.0, 0.0, kFine, "InputSaturation"},
    {"Input Saturation Mode", kGroupInput, kNoLabel, 0.5, 0.0, kThird, "InputSaturationMode"},
    {"Input Mono/Stereo Mode", kGroupInput, kNoLabel, 0.0, 0.0, 0.2, "InputMode"},
    {"Bit-Crash Quantization", kGroupDistortion, kNoLabel, 1.0, 0.0, kFine, "Quantization"},
    {"Sample-Rate Reduction", kGroupDistortion, kNoLabel, 1.0, 0.0, kFine, "SampleRate"},
    {"Noise-Gate Level", kGroupDistortion, kNoLabel, 0.0, 0.0, kFine, "Gate"},
    {"Distortion Unit On/Off", kGroupDistortion, kNoLabel, 1.0, 0.0, 1.0, "DistortionOnOff"},
    {"Distortion Amount", kGroupDistortion, kNoLabel, 0.0, 0.0, kFine, "Distortion"},
    {"Distortion Type", kGroupDistortion, kNoLabel, 0.0, 0.0, kFine, "DistortionType"},
    {"Distortion Mode", kGroupDistortion, kNoLabel, 0.5, 0.0, kThird, "DistortionLoudness"},
    {"Distortion Curve Interpolation", kGroupDistortion, kNoLabel, 1.0, 0.0, kFine, "DistortionInterpMode"},
    {"Distortion Polarity", kGroupDistortion, kNoLabel, 0.0, 0.0, kThird, "DistortionPosNegBoth"},
    {"Distortion Pre-Filter Process", kGroupDistortion, kNoLabel, 0.0, 0.0, kThird, "DistortionPreProcess"},
    {"Distortion Post-Filter Process", kGroupDistortion, kNoLabel, 1.0, 0.0, kThird, "DistortionPostProcess"},
    {"Dynamic Shaper Amount", kGroupDistortion, kNoLabel, 0.0, 0.0, kFine, "DynShaper"},
    {"Dynamic Shaper Width", kGroupDistortion, kNoLabel, 0.25, 0.0, kFine, "DynShaperWidth"},
    {"Dynamic Shaper Invert Shape", kGroupDistortion, kNoLabel, 0.0, 0.0, 1.0, "DynShaperInvert"},
    {"Dynamic Shaper Waveform", kGroupDistortion, kNoLabel, 0.0, 0.0, kNinth, "DynShaperType"},
    {"Dynamic Shaper Mode", kGroupDistortion, kNoLabel, 0.0, 0.0, kFine, "DynShaperMode"},
    {"Dynamic Shaper Polarity", kGroupDistortion, kNoLabel, 0.0, 0.0, kThird, "DynShaperPosNegBoth"},
    {"Filter Unit On/Off", kGroupDistoBandFilter, kNoLabel, 1.0, 0.0, 1.0, "FilterOnOff"},
    {"Filter Input Drive", kGroupDistoBandFilter, kNoLabel, 0.0, 0.0, kFine, "FilterInputDrive"},
    {"Filter 1/2 Balance", kGroupDistoBandFilter, kNoLabel, 0.5, 0.0, kFine, "FilterType"},
    {"Filter Cutoff Frequency", kGroupDistoBandFilter, "Hz", 1.0, 0.0, kFine, "FilterCutoff"},
    {"Filter Resonance/Band-Width", kGroupDistoBandFilter, kNoLabel, 0.0, 0.0, kFine, "FilterResonance"},
    {"Filter 1 Type", kGroupDistoBandFilter, kNoLabel, 0.0, 0.0, kThirtyFirst, "FilterMode1"},
    {"Filter 2 Type", kGroupDistoBandFilter, kNoLabel, 0.0, 0.0, kThirtyFirst, "FilterMode2"},
    {"Filter Transition Speed", kGroupDistoBandFilter, kNoLabel, 1.0, 0.0, kThird, "FilterTransition"},
    {"Disto-Band EQ On/Off", kGroupDistoBandEq, kNoLabel, 1.0, 0.0, 1.0, "EqOnOff"},
    {"Disto-Band EQ Bass Range", kGroupDistoBandEq, kNoLabel, 0.5, 0.0, kFine, "BassAmount"},
    {"Disto-Band EQ Low Mid Range", kGroupDistoBandEq, kNoLabel, 0.5, 0.0, kFine, "LowMidAmount"},
    {"Disto-Band EQ High Mid Range", kGroupDistoBandEq, kNoLabel, 0.5, 0.0, kFine, "HighMidAmount"},
    {"Disto-Band EQ High Range", kGroupDistoBandEq, kNoLabel, 0.5, 0.0, kFine, "HighAmount"},
    {"Sub-Band/Disto-Band On/Off", kGroupSubBandProcessor, kNoLabel, 1.0, 0.0, 1.0, "SubBandProcOnOff"},
    {"Sub-Band Mono/Stereo Mode", kGroupSubBandProcessor, kNoLabel, 0.0, 0.0, 0.2, "SubBandChannelMode"},
    {"Sub-Band Gain Amount", kGroupSubBandProcessor, kNoLabel, 1.0, 0.0, kFine, "SubBandGain"},
    {"Sub-Band Saturation", kGroupSubBandProcessor, kNoLabel, 0.0, 0.0, kFine, "SubBandSaturation"},
    {"Sub-Band Saturation Mode", kGroupSubBandProcessor, kNoLabel, 0.5, 0.0, kFine, "SubBandSaturationMode"},
    {"Sub-Band Distortion", kGroupSubBandProcessor, kNoLabel, 0.0, 0.0, kFine, "SubBandDistortion"},
    {"Sub-Band EQ On/Off", kGroupSubBandEq, kNoLabel, 1.0, 0.0, 1.0, "SubBandEqOnOff"},
    {"Sub-Band EQ Bass Amount", kGroupSubBandEq, kNoLabel, 0.5, 0.0, kFine, "SubBandBassAmount"},
    {"Sub-Band EQ Mid Amount", kGroupSubBandEq, kNoLabel, 0.5, 0.0, kFine, "SubBandLowMidAmount"},
    {"Sub-Band EQ High Mid Amount", kGroupSubBandEq, kNoLabel, 0.5, 0.0, kFine, "SubBandHighMidAmount"},
    {"Sub-Band EQ High Amount", kGroupSubBandEq, kNoLabel, 0.5, 0.0, kFine, "SubBandHighAmount"},
    {"Sub-Band/Disto-Band Filter Link", kGroupSubBandProcessor, kNoLabel, 1.0, 0.0, kFine, "FilterLink"},
    {"Sub-Band Cutoff Frequency", kGroupSubBandProcessor, kNoLabel, kSplitDefault, 0.0, kFine, "SubBandCutoff"},
    {"Sub-Band Filter Slope", kGroupSubBandProcessor, kNoLabel, kThird, 0.0, 0.25, "SubBandFilterSlope"},
    {"Disto-Band Cutoff Frequency", kGroupSubBandProcessor, kNoLabel, kSplitDefault, 0.0, kFine, "DistoBandCutoff"},
    {"Disto-Band Filter Slope", kGroupSubBandProcessor, kNoLabel, kTwoThirds, 0.0, 1.0, "DistoBandFilterSlope"},
    {"Disto-Band Gain Amount", kGroupSubBandProcessor, kNoLabel, 1.0, 0.0, kFine, "DistoBandGain"},
    {"Bypass All Effect Units", kNoGroup, kNoLabel, 0.0, 0.0, 1.0, "BypassFX"},
    {"Output Stereo Panning", kGroupOutput, kNoLabel, 0.5, 0.0, kFine, "Pan"},
    {"Output Saturation", kGroupOutput, kNoLabel, 0.0, 0.0, kFine, "Saturation"},
    {"Output Saturation Mode", kGroupOutput, kNoLabel, 0.5, 0.0, kThird, "SaturationMode"},
    {"High-Quality Output Filter", kGroupOutput, kNoLabel, 0.0, 0.0, kThird, "HqFilter"},
    {"Output Low-Pass/High-Pass Filter", kGroupOutput, kNoLabel, 0.5, 0.0, kFine, "DumpExpand"},
    {"Output Low-Pass/High-Pass Filter Slope", kGroupOutput, kNoLabel, 0.0, 0.0, 1.0, "DumpExpandSlope"},
    {"Output Limiter Level", kGroupOutput, kNoLabel, kMinus3dB, kMinus48dB, kFine, "LimiterLevel"},
    {"Output Limiter Mode", kGroupOutput, kNoLabel, kThird, 0.0, 0.25, "LimiterMode"},
    {"Oversampling", kGroupOutput, kNoLabel, 0.0, 0.0, kFine, "Oversampling"},
    {"Output Dry/Wet Mix", kGroupOutput, kNoLabel, 1.0, 0.0, kFine, "DryWet"},
    {"Output Volume", kGroupOutput, kNoLabel, kMinus12dB, 0.0, kFine, "Volume"},
    {"Auto Make-Up", kGroupOutput, kNoLabel, 0.0, 0.0, 0.5, "AutoMakeUp"},
}};

constexpr char kReservedNameFormat[] = "Reserved Parameter %2.2d";
constexpr char kReservedKeyFormat[] = "Reserved_%2.2d";
}

const ParameterDefinition& GetParameterDefinition(int index)
{
    return kDefinitions.at(static_cast<size_t>(index));
}

void FormatReservedParamName(int index, char* out, int size)
{
    std::snprintf(out, static_cast<size_t>(size), kReservedNameFormat, index - kFirstReservedParam);
}

void FormatReservedParamKey(int index, char* out, int size)
{
    std::snprintf(out, static_cast<size_t>(size), kReservedKeyFormat, index - kFirstReservedParam + 1);
}
