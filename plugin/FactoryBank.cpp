#include "plugin/FactoryBank.h"

#include "dsp/units/curves/CurveId.h"
#include "dsp/units/filters/FilterType.h"
#include "plugin/ParamIndex.h"

#include <initializer_list>
#include <iterator>
#include <span>

namespace
{
struct Setting
{
    int index;
    double value;
};

// What an entry is built on before its own values. A builder first gives the parameters of
// kNewProgramParams the values of a newly constructed program, then its own values; entries
// written in place start from the defaults alone.
enum class Start
{
    kInPlace,
    kHardcore,
    kKickDrum,
    kWaveShaper,
    kDynamicShaper,
    kDistortedShaper,
    kSkoltan,
};

struct ProgramRecipe
{
    const char* name;
    CurveId curve;
    Start start;
    // Applied after the start and the curve, in this order.
    std::initializer_list<Setting> settings;
};

// Normalised values of the selector choices that the programs use.
constexpr double kChannelInverse = 0.25; // left and right swapped
constexpr double kChannelMonoMix = 0.5;

constexpr double kModeBlend = 0.0;
constexpr double kModeDriveFold = 1.0;

constexpr double kInterpolationNone = 0.0;
constexpr double kInterpolationLinear = 0.25;
constexpr double kInterpolationCubic = 0.75;

constexpr double kPolarityPositiveHalf = 0.5;
constexpr double kPolarityNegativeHalf = 1.0;

// Bit-crush depths: 1 + 63 v² bits.
constexpr double kFourBits = 0.2182;
constexpr double kEightBits = 1.0 / 3.0;
constexpr double kNineBits = 0.3563;
constexpr double kTenBits = 0.378;

constexpr double kChainQuarterDrive = 0.5;
constexpr double kChainFullDrive = 1.0;

constexpr double kShaperTriangle = 1.0 / 8.0;
constexpr double kShaperPulse = 2.0 / 8.0;
constexpr double kShaperSaw = 3.0 / 8.0;
constexpr double kShaperSine2 = 4.0 / 8.0;
constexpr double kShaperPulse2 = 5.0 / 8.0;
constexpr double kShaperNoise1 = 6.0 / 8.0;
constexpr double kShaperNoise2 = 7.0 / 8.0;
constexpr double kShaperDynamicNoise = 1.0;

// Shaper modes by their menu names: "Sat.Shaper" boosts the added bumps, "Boost Shaper"
// drives the input into the window first.
constexpr double kShaperSaturating = 1.0 / 3.0;
constexpr double kShaperBoost = 2.0 / 3.0;
constexpr double kShaperBoostSaturating = 1.0;

constexpr double kSaturationSoft = 0.0;
constexpr double kSaturationHard = 1.0;

constexpr double kSlopeOrder2 = 1.0 / 3.0;
constexpr double kSlopeOrder4 = 2.0 / 3.0;
constexpr double kSlopeOrder8 = 1.0;

constexpr double kSweepSteep = 1.0;

constexpr double kHqFrom20Hz = 0.5;
constexpr double kHqFrom40Hz = 1.0;

constexpr double kLimiterOff = 0.0;
constexpr double kLimiterHard = 2.0 / 3.0;
constexpr double kLimiterBrickWall = 1.0;

// Limiter levels and volumes are linear gains.
constexpr double kGainMinus6dB = 0.5011872336272722;

constexpr double kOn = 1.0;
constexpr double kOff = 0.0;

// The filter types that the programs use, by their number.
enum FilterChoice : int
{
    kRbjBandPass2 = 3,
    kRbjBandStop = 4,
    kSvLowPass = 5,
    kSvHighPass = 6,
    kSvBandPass = 7,
    kBesselLowPass = 10,
    kEllipticLowPass = 14,
    kEllipticBandPass = 15,
    kChebyshevHighPass24 = 20,
    kChebyshevLowPass12 = 23,
    kChebyshevLowPass24 = 25,
    kButterworthLowPass = 28,
};

constexpr double FilterTypeValue(FilterChoice type)
{
    return static_cast<double>(type) / (kFilterTypeCount - 1);
}

// Gain of an equaliser band: 0.5 is 0 dB, the range runs from -24 to +24 dB.
constexpr double kEqFlat = 0.5;
constexpr double kEqSpanDecibels = 48.0;

constexpr double EqGain(double decibels)
{
    return kEqFlat + decibels / kEqSpanDecibels;
}

#include "plugin/FactoryPrograms.inc"

// The parameters that a builder takes from a newly constructed program.
constexpr int kNewProgramParams[] = {
    kParamDistortionPolarity, kParamPreFilterProcess, kParamPostFilterProcess, kParamShaperWidth,
    kParamSubBandOn,          kParamLimiterMode,      kParamVolume,
};

std::span<const Setting> BuilderSettings(Start start)
{
    switch (start)
    {
    case Start::kHardcore:
        return kHardcoreBuilder;
    case Start::kKickDrum:
        return kKickDrumBuilder;
    case Start::kWaveShaper:
        return kWaveShaperBuilder;
    case Start::kDynamicShaper:
        return kDynamicShaperBuilder;
    case Start::kDistortedShaper:
        return kDistortedShaperBuilder;
    case Start::kSkoltan:
        return kSkoltanBuilder;
    case Start::kInPlace:
        break;
    }
    return {};
}

void Apply(Wezmark::ZarvotoneProgram& program, std::span<const Setting> settings)
{
    for (const Setting& setting : settings)
        program.SetValue(setting.index, setting.value);
}
}

std::vector<Wezmark::ZarvotoneProgram> CreateFactoryPrograms()
{
    const Wezmark::ZarvotoneProgram fresh;
    Wezmark::ZarvotoneProgram working;
    std::vector<Wezmark::ZarvotoneProgram> bank;
    bank.reserve(std::size(kFactoryRecipes));
    for (const ProgramRecipe& recipe : kFactoryRecipes)
    {
        Wezmark::ZarvotoneProgram::ResetToDefaults(working.Values());
        if (recipe.start != Start::kInPlace)
        {
            for (int index : kNewProgramParams)
                working.SetValue(index, fresh.GetValue(index));
            Apply(working, BuilderSettings(recipe.start));
        }
        working.SetValue(kParamDistortionType, static_cast<double>(recipe.curve) / kLastCurveId);
        Apply(working, {recipe.settings.begin(), recipe.settings.end()});
        working.SetName(recipe.name);
        bank.push_back(working);
    }
    return bank;
}
