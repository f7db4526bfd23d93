#include "plugin/HostParamText.h"

#include "dsp/units/curves/CurveId.h"
#include "dsp/units/curves/InterpolationNames.h"
#include "dsp/units/filters/BandSplitFilter.h"
#include "dsp/units/filters/DumpExpand.h"
#include "dsp/units/filters/Eq4Band.h"
#include "dsp/units/filters/FilterType.h"
#include "dsp/units/path/Distortion.h"
#include "dsp/units/path/RoundedIndex.h"
#include "dsp/units/path/SmpRateConverter.h"
#include "editor/FormatShapeLabel.h"
#include "editor/IWzCaptionControl.h"
#include "framework/BoundedCopy.h"
#include "framework/SignlessZero.h"
#include "plugin/ParamConversions.h"
#include "plugin/ParamDisplayText.h"
#include "plugin/ParamIndex.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace ParamConversions;

namespace
{
constexpr int kNumberDecimals = 3;
constexpr double kPercent = 100.0;
constexpr double kDecibelsPerLevel = 20.0;
// A whole-Hz text stands for its whole 1 Hz step.
constexpr double kMidStep = 0.5;

// The editor's switch labels.
constexpr std::array<const char*, 2> kOnOff = {"OFF", "ON"};
constexpr std::array<const char*, 2> kLink = {"UNLINKED", "LINKED"};
constexpr std::array<const char*, 2> kOversampling = {"OS 1x", "OS 8x"};
constexpr std::array<const char*, 3> kSaturationModes = {"SOFT", "MEDIUM", "HARD"};
constexpr std::array<const char*, 3> kDistortionModes = {"MIX", "DRIVE", "SINE"};
constexpr std::array<const char*, 3> kPolarities = {"BOTH", "POS", "NEG"};
constexpr std::array<const char*, 3> kPreFilter = {"PRE OFF", "PRE LOW", "PRE ON"};
constexpr std::array<const char*, 3> kPostFilter = {"POST OFF", "POST LOW", "POST ON"};
constexpr std::array<const char*, 4> kBandSlopes = {"6 dB", "12 dB", "24 dB", "48 dB"};
constexpr std::array<const char*, 2> kSweepSlopes = {"12 dB", "24 dB"};
constexpr std::array<const char*, 4> kLimiterModes = {"OFF", "SOFT", "FIRM", "HARD"};

using NameWriter = void (*)(uint32_t choice, char* out, size_t size);
using Picker = uint32_t (*)(double v);

template <const auto& Names>
void WriteListed(uint32_t choice, char* out, size_t size)
{
    BoundedCopy(out, Names[std::min<size_t>(choice, Names.size() - 1)], size);
}

template <const char* (*Name)(uint32_t)>
void WriteNamed(uint32_t choice, char* out, size_t size)
{
    BoundedCopy(out, Name(choice), size);
}

const char* TransitionOf(uint32_t choice)
{
    return ParamDisplayText::TransitionName(static_cast<int32_t>(choice));
}

const char* FilterTypeOf(uint32_t choice)
{
    return GetFilterTypeName(static_cast<int>(choice));
}

void WriteCurve(uint32_t choice, char* out, size_t size)
{
    BoundedCopy(out, FormatShapeLabel(choice).c_str(), size);
}

void WriteOutputFilter(uint32_t choice, char* out, size_t size)
{
    ParamDisplayText::OutputFilterBand(out, static_cast<int>(size), choice);
}

template <int N>
uint32_t Rounded(double v)
{
    return Steps(v, N);
}

uint32_t OnUnlessZero(double v)
{
    return IsOff(v) ? 0 : 1;
}

uint32_t OnAboveHalf(double v)
{
    return IsAboveHalf(v) ? 1 : 0;
}

uint32_t CurveOf(double v)
{
    return Wezmark::Distortion::CurveIdOf(v);
}

uint32_t PolarityOf(double v)
{
    return Steps(std::clamp(v, 0.0, 1.0), kThreeWaySteps);
}

enum class Kind
{
    kNumber,
    kCaption,
    kBits,
    kReducedRate,
    kGate,
    kEqGain,
    kBalance,
    kCutoff,
    kSplit,
    kSweep,
    kBypass,
    kChoice,
};

// A setting from a list: choice k of `steps` + 1 stands at value k / steps.
struct Choice
{
    int steps;
    NameWriter write;
    Picker pick;
};

struct TextRule
{
    Kind kind;
    int captionFormat = 0;
    Choice choice{};
};

constexpr TextRule Caption(int format)
{
    return {Kind::kCaption, format, {}};
}

constexpr TextRule Chosen(int steps, NameWriter write, Picker pick)
{
    return {Kind::kChoice, 0, {steps, write, pick}};
}

template <const auto& Names>
constexpr TextRule Listed(Picker pick)
{
    return Chosen(static_cast<int>(Names.size()) - 1, WriteListed<Names>, pick);
}

template <const auto& Names>
constexpr TextRule ListedRounded()
{
    return Listed<Names>(Rounded<static_cast<int>(Names.size()) - 1>);
}

constexpr TextRule OnOff()
{
    return Listed<kOnOff>(OnUnlessZero);
}

TextRule TextRuleOf(int index)
{
    switch (index)
    {
    case kParamInputVolume:
    case kParamSubBandGain:
    case kParamDistoBandGain:
    case kParamLimiterLevel:
    case kParamVolume:
        return Caption(IWzCaptionControl::kDecibels);
    case kParamInputDcOffset:
        return Caption(IWzCaptionControl::kCentredDoubled);
    case kParamPan:
        return Caption(IWzCaptionControl::kBipolar);
    case kParamInputSaturation:
    case kParamSubBandSaturation:
    case kParamOutputSaturation:
    case kParamDryWet:
        return Caption(IWzCaptionControl::kPercent);
    case kParamInputSaturationMode:
    case kParamSubBandSaturationMode:
    case kParamOutputSaturationMode:
        return ListedRounded<kSaturationModes>();
    case kParamInputChannelMode:
    case kParamSubBandChannelMode:
        return Chosen(kChannelModeSteps, WriteNamed<ParamDisplayText::ChannelModeName>, Rounded<kChannelModeSteps>);
    case kParamQuantization:
        return {Kind::kBits};
    case kParamSampleRateReduction:
        return {Kind::kReducedRate};
    case kParamGateLevel:
        return {Kind::kGate};
    case kParamDistortionOn:
    case kParamShaperInvert:
    case kParamFilterOn:
    case kParamDistoEqOn:
    case kParamSubBandOn:
    case kParamSubBandEqOn:
        return OnOff();
    case kParamDistortionType:
        return Chosen(static_cast<int>(kLastCurveId), WriteCurve, CurveOf);
    case kParamDistortionMode:
        return ListedRounded<kDistortionModes>();
    case kParamCurveInterpolation:
        return Chosen(static_cast<int>(Wezmark::Distortion::kInterpolationSteps), WriteNamed<GetInterpolationName>,
                      Wezmark::Distortion::InterpolationOf);
    case kParamDistortionPolarity:
        return Listed<kPolarities>(PolarityOf);
    case kParamShaperPolarity:
        return ListedRounded<kPolarities>();
    case kParamPreFilterProcess:
        return ListedRounded<kPreFilter>();
    case kParamPostFilterProcess:
        return ListedRounded<kPostFilter>();
    case kParamShaperWaveform:
        return Chosen(kShaperWaveformSteps, WriteNamed<ParamDisplayText::ShaperWaveformName>,
                      Rounded<kShaperWaveformSteps>);
    case kParamShaperMode:
        return Chosen(kShaperModeSteps, WriteNamed<ParamDisplayText::ShaperModeName>, Rounded<kShaperModeSteps>);
    case kParamFilterBalance:
        return {Kind::kBalance};
    case kParamFilterCutoff:
        return {Kind::kCutoff};
    case kParamFilter1Type:
    case kParamFilter2Type:
        return Chosen(kFilterTypeSteps, WriteNamed<FilterTypeOf>, Rounded<kFilterTypeSteps>);
    case kParamFilterTransition:
        return Chosen(kThreeWaySteps, WriteNamed<TransitionOf>, Rounded<kThreeWaySteps>);
    case kParamDistoEqBass:
    case kParamDistoEqLowMid:
    case kParamDistoEqHighMid:
    case kParamDistoEqHigh:
    case kParamSubBandEqBass:
    case kParamSubBandEqMid:
    case kParamSubBandEqHighMid:
    case kParamSubBandEqHigh:
        return {Kind::kEqGain};
    case kParamBandLink:
        return Listed<kLink>(OnAboveHalf);
    case kParamSubBandCutoff:
    case kParamDistoBandCutoff:
        return {Kind::kSplit};
    case kParamSubBandSlope:
    case kParamDistoBandSlope:
        return ListedRounded<kBandSlopes>();
    case kParamBypassAll:
        return {Kind::kBypass};
    case kParamHqFilter:
        return Chosen(kThreeWaySteps, WriteOutputFilter, Rounded<kThreeWaySteps>);
    case kParamOutputSweep:
        return {Kind::kSweep};
    case kParamOutputSweepSlope:
        return ListedRounded<kSweepSlopes>();
    case kParamLimiterMode:
        return ListedRounded<kLimiterModes>();
    case kParamOversampling:
        return Listed<kOversampling>(OnAboveHalf);
    case kParamAutoMakeUp:
        return Listed<kOnOff>(OnAboveHalf);
    default:
        // The amounts, widths, drive and resonance: the editor shows the value itself.
        return {Kind::kNumber};
    }
}

void FormatChoice(const Choice& choice, double v, char* out, size_t size)
{
    choice.write(choice.pick(v), out, size);
}

double WholeHzText(double hz)
{
    return std::floor(hz) + kMidStep;
}

void FormatText(const TextRule& rule, double v, double sampleRate, char* out, size_t size)
{
    const int n = static_cast<int>(size);
    switch (rule.kind)
    {
    case Kind::kNumber:
        std::snprintf(out, size, "%.*f", kNumberDecimals, SignlessZero::Clean(v, kNumberDecimals));
        return;
    case Kind::kCaption:
        IWzCaptionControl::FormatNumber(rule.captionFormat, v, out, size);
        return;
    case Kind::kBits:
        ParamDisplayText::BitDepth(out, n, QuantizerBits(v));
        return;
    case Kind::kReducedRate:
        ParamDisplayText::ReducedRate(out, n, ReducerRatio(v), sampleRate);
        return;
    case Kind::kGate:
        ParamDisplayText::GateLevel(out, n, v, GateThreshold(v));
        return;
    case Kind::kEqGain:
        ParamDisplayText::Decibels(out, n, Wezmark::Eq4Band::GainInDecibels(v));
        return;
    case Kind::kBalance:
        ParamDisplayText::Balance(out, n, v);
        return;
    case Kind::kCutoff:
        ParamDisplayText::Frequency(out, n, CutoffHz(v));
        return;
    case Kind::kSplit:
        ParamDisplayText::Frequency(out, n, Wezmark::BandSplitFilter::SplitHz(v));
        return;
    case Kind::kSweep:
        ParamDisplayText::WholeHertz(out, n, Wezmark::DumpExpand::AmountHz(v, sampleRate));
        return;
    case Kind::kBypass:
        // The bypass crossfades to its value: between the ends, the share bypassed.
        if (v <= 0.0 || v >= 1.0)
            BoundedCopy(out, kOnOff[v > 0.0], size);
        else
            IWzCaptionControl::FormatNumber(IWzCaptionControl::kPercent, v, out, size);
        return;
    case Kind::kChoice:
        FormatChoice(rule.choice, v, out, size);
        return;
    }
}

// Case-insensitive, leading and trailing blanks of `text` ignored.
bool SameText(const char* text, const char* name)
{
    while (std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    for (; *name != '\0'; ++text, ++name)
        if (std::tolower(static_cast<unsigned char>(*text)) != std::tolower(static_cast<unsigned char>(*name)))
            return false;
    while (std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    return *text == '\0';
}

// A leading number followed by `unit` ("" for a bare number) and nothing else.
bool ReadNumber(const char* text, const char* unit, double* x)
{
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end == text || !SameText(end, unit))
        return false;
    *x = value;
    return true;
}

bool ParseChoice(const Choice& choice, const char* text, double* v)
{
    char name[ParamDisplayText::kTextSize];
    for (int k = 0; k <= choice.steps; ++k)
    {
        choice.write(static_cast<uint32_t>(k), name, sizeof name);
        if (SameText(text, name))
        {
            *v = static_cast<double>(k) / choice.steps;
            return true;
        }
    }
    return false;
}

bool ParseCaption(int format, const char* text, double* v)
{
    double x = 0.0;
    switch (format)
    {
    case IWzCaptionControl::kDecibels:
        if (!ReadNumber(text, "dB", &x))
            return false;
        *v = std::pow(10.0, x / kDecibelsPerLevel);
        return true;
    case IWzCaptionControl::kPercent:
        if (!ReadNumber(text, "%", &x))
            return false;
        *v = x / kPercent;
        return true;
    default:
        // Pan and DC offset: the text is the number from -1 to 1.
        if (!ReadNumber(text, "", &x))
            return false;
        *v = 0.5 * (x + 1.0);
        return true;
    }
}

bool ParseText(const TextRule& rule, const char* text, double sampleRate, double current, double* v)
{
    double x = 0.0;
    switch (rule.kind)
    {
    case Kind::kNumber:
        return false;
    case Kind::kCaption:
        return ParseCaption(rule.captionFormat, text, v);
    case Kind::kBits:
        if (!ReadNumber(text, "bit", &x))
            return false;
        *v = QuantizerPosition(x);
        return true;
    case Kind::kReducedRate:
        if (sampleRate <= 0.0 || !ReadNumber(text, "Hz", &x))
            return false;
        *v = ReducerPosition(WholeHzText(x) / sampleRate);
        return true;
    case Kind::kGate:
        if (SameText(text, "-oodB") || SameText(text, "-oo dB"))
        {
            *v = 0.0;
            return true;
        }
        if (!ReadNumber(text, "dB", &x))
            return false;
        *v = GatePosition(std::pow(10.0, x / kDecibelsPerLevel));
        return true;
    case Kind::kEqGain:
        if (!ReadNumber(text, "dB", &x))
            return false;
        *v = Wezmark::Eq4Band::SettingOfDecibels(x);
        return true;
    case Kind::kBalance:
    {
        // Filter 1's share leads; filter 2's that follows is its complement.
        char* end = nullptr;
        x = std::strtod(text, &end);
        if (end == text || *end != '%')
            return false;
        *v = std::clamp(1.0 - x / kPercent, 0.0, 1.0);
        return true;
    }
    case Kind::kCutoff:
        if (!ReadNumber(text, "Hz", &x))
            return false;
        *v = CutoffPosition(x);
        return true;
    case Kind::kSplit:
        if (!ReadNumber(text, "Hz", &x))
            return false;
        *v = Wezmark::BandSplitFilter::SplitPosition(x);
        return true;
    case Kind::kSweep:
        if (!ReadNumber(text, "Hz", &x))
            return false;
        *v = Wezmark::DumpExpand::AmountOfHz(WholeHzText(x), current < Wezmark::DumpExpand::kNeutralAmount,
                                              sampleRate);
        return true;
    case Kind::kBypass:
        for (size_t k = 0; k < kOnOff.size(); ++k)
            if (SameText(text, kOnOff[k]))
            {
                *v = static_cast<double>(k);
                return true;
            }
        return ParseCaption(IWzCaptionControl::kPercent, text, v);
    case Kind::kChoice:
        return ParseChoice(rule.choice, text, v);
    }
    return false;
}
}

namespace HostParamText
{
bool Format(int index, double v, double sampleRate, char* out, size_t size)
{
    if (index < 0 || index >= kWorkingParamCount || size == 0)
        return false;
    FormatText(TextRuleOf(index), v, sampleRate, out, size);
    return true;
}

bool Parse(int index, const char* text, double sampleRate, double current, double* v)
{
    if (index < 0 || index >= kWorkingParamCount || !text)
        return false;
    return ParseText(TextRuleOf(index), text, sampleRate, current, v);
}
}
