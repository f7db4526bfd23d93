#include "tools/curvegen/StoredTableShapes.h"

#include "dsp/units/curves/CurveFormulaConstants.h"
#include "dsp/units/curves/PortableTrig.h"
#include "tools/curvegen/PortableMath.h"

#include <algorithm>
#include <cmath>

namespace
{
using CurveFormula::kPi;
using CurveFormula::kTwoPi;

double Sin(double x) { return PortableTrig::Sin(x); }
double Cos(double x) { return PortableTrig::Cos(x); }
double Tanh(double x) { return PortableMath::Tanh(x); }
double Exp(double x) { return PortableMath::Exp(x); }
double Sign(double x) { return x < 0.0 ? -1.0 : 1.0; }

// A clip with a rounded corner: u / (1 + u^8)^(1/8).
double RoundedClip(double u)
{
    const double u2 = u * u;
    const double u4 = u2 * u2;
    return u / std::sqrt(std::sqrt(std::sqrt(1.0 + u4 * u4)));
}

// Stairs of unit height whose treads are flat and whose risers are smooth.
double SmoothStairs(double u)
{
    return u - Sin(kTwoPi * u) / kTwoPi;
}

// Crunchy
double NeuroFunk1(double x)
{
    return Sin(2.45 * Tanh(2.2 * x));
}

double NeuroFunk2(double x)
{
    // The negative half folds deeper than the positive one.
    return x >= 0.0 ? Sin(2.2 * Tanh(2.4 * x)) : Sin(3.0 * Tanh(1.6 * x));
}

double DubStep1(double x)
{
    return (Tanh(3.0 * x) + 0.22 * Sin(7.0 * kPi * x) * (1.0 - x * x)) * 0.9;
}

double DubStep2(double x)
{
    return x >= 0.0 ? Tanh(4.0 * x) * 0.97 : 0.9 * Sin(2.6 * Tanh(2.0 * x));
}

// Producer's
double ZivevoZazarada(double x)
{
    // A clipped sine fold of a little over two turns, rising steeply out of the bottom clip.
    const double phase = 6.772 * x - 0.0395 * x * x + 0.146 * x * x * x;
    return std::clamp(1.61 * Sin(phase), -1.0, 1.0);
}

double PushItToTheLimit(double x)
{
    return RoundedClip(2.6 * x) * 0.99;
}

double Mill(double x)
{
    constexpr double kSteps = 6.0;
    const double driven = Tanh(1.8 * x) / Tanh(1.8);
    return SmoothStairs(kSteps * driven) / kSteps;
}

double Armageddon(double x)
{
    const double notch = 0.5 * (1.0 - Cos(14.0 * kPi * x));
    return Tanh(9.0 * x) * (1.0 - 0.18 * notch);
}

double Fireback(double x)
{
    // Slightly offset; the negative half rests on a plateau and breaks away again at the extreme.
    constexpr double kOffset = -0.00335;
    if (x >= 0.0)
        return kOffset + 0.8835 * Tanh(2.94 * x) / Tanh(2.94);
    const double beyond = std::max(0.0, (-x - 0.636) / 0.364);
    return kOffset - 0.52 * Tanh(-5.0 * x) - 0.114 * beyond * beyond * beyond;
}

double PublicEnemy(double x)
{
    const double bias = 0.15;
    const double shaped = Tanh(3.0 * (x + bias)) - Tanh(3.0 * bias);
    return x >= 0.0 ? shaped / (Tanh(3.0 * (1.0 + bias)) - Tanh(3.0 * bias)) * 0.95
                    : shaped / (Tanh(3.0 * bias) - Tanh(3.0 * (bias - 1.0)));
}

double Straight(double x)
{
    return RoundedClip(1.15 * x) * 0.95;
}

double Gangstarism(double x)
{
    return Tanh(1.6 * (x + 0.3 * Sin(kTwoPi * x) * (1.0 - std::fabs(x))));
}

double BuildToHurt(double x)
{
    const double dip = Sin(kPi * x);
    return Tanh(5.0 * x) * (1.0 - 0.25 * dip * dip);
}

double Beastknock(double x)
{
    return x >= 0.0 ? Tanh(7.0 * x) : 0.9 * Tanh(3.0 * x);
}

double SchwiftyKick(double x)
{
    return Tanh(4.0 * x + 0.6 * Sin(4.0 * kPi * x)) * 0.96;
}

double KardanFailure(double x)
{
    // A drive that breaks off: the output collapses over a band of middle levels and catches
    // again above it.
    const double magnitude = std::fabs(x);
    const double dropout = 0.5 * (1.0 - Cos(kTwoPi * std::clamp((magnitude - 0.3) / 0.3, 0.0, 1.0)));
    return Tanh(3.0 * x) * (1.0 - 0.85 * dropout);
}

double WeAreTheIllest(double x)
{
    const double a = 1.0 - std::fabs(x);
    const double a2 = a * a;
    return Sign(x) * (1.0 - a2 * a2 * a) * (x >= 0.0 ? 1.0 : 0.92);
}

double HardcoreBlast(double x)
{
    // Slams to full level, rings, and collapses to two thirds at the loudest inputs.
    const double magnitude = std::fabs(x);
    const double u = std::clamp((magnitude - 0.55) / 0.45, 0.0, 1.0);
    const double collapse = 0.35 * u * u * (3.0 - 2.0 * u);
    const double ring = 0.15 * Sin(9.0 * kPi * x) * Exp(-4.0 * magnitude);
    return std::clamp(Tanh(12.0 * x) + ring - Sign(x) * collapse, -1.0, 1.0);
}

double MonsterTruck(double x)
{
    // A strong even term: the negative half swings twice as far as the positive one.
    const double t = Tanh(2.5 * x);
    return (t - 0.3 * t * t) / 1.3 * 0.98;
}

double VibratingSource(double x)
{
    return (Tanh(1.8 * x) / Tanh(1.8) + 0.12 * Sin(18.0 * kPi * x) * (1.0 - x * x)) * 0.9;
}

double Skullcrusher(double x)
{
    // Four slanted steps a side of a hard drive, each ending in a short steep riser.
    constexpr double kTread = 0.9;
    const double scaled = 4.0 * std::fabs(Tanh(4.0 * x));
    const double step = std::floor(scaled);
    const double within = scaled - step;
    double level = step + 0.35 * within / kTread;
    if (within > kTread)
    {
        const double u = (within - kTread) / (1.0 - kTread);
        level = step + 0.35 + 0.65 * u * u * (3.0 - 2.0 * u);
    }
    return Sign(x) * std::min(1.0, level / 4.0);
}

double Dutchcore(double x)
{
    return Tanh(16.0 * x) * (0.96 + 0.04 * Cos(6.0 * kPi * x));
}

double Killah(double x)
{
    // Exponential attack on both halves; the positive one overshoots and folds back.
    if (x >= 0.0)
        return Sin(CurveFormula::kHalfPi * 1.35 * (1.0 - Exp(-4.0 * x)));
    return -(1.0 - Exp(6.0 * x)) * 0.92;
}

double CrunchTime(double x)
{
    constexpr double kDeadZone = 0.035;
    constexpr double kDrive = 3.2;
    const double beyond = std::max(0.0, std::fabs(x) - kDeadZone);
    const double full = Tanh(kDrive * (1.0 - kDeadZone));
    const double level = x >= 0.0 ? 0.957845246143445 : 0.943795710159179;
    return Sign(x) * Tanh(kDrive * beyond) / full * level;
}

double HardAsHell(double x)
{
    const double magnitude = std::fabs(x);
    const double clipped = std::min(1.0, 2.5 * magnitude);
    const double folded = magnitude > 0.8 ? 1.0 - (magnitude - 0.8) * 2.0 : clipped;
    return Sign(x) * std::min(clipped, folded);
}

double SycoKilla(double x)
{
    return Sin(5.0 * x + 2.0 * Sin(3.0 * x)) * Tanh(4.0 * std::fabs(x));
}

double Thrashcore(double x)
{
    return std::clamp(Tanh(6.0 * x) + 0.3 * Sin(6.0 * kPi * x) * std::fabs(x), -1.0, 1.0);
}
}

const std::vector<StoredTableShape>& StoredTableShapes()
{
    static const std::vector<StoredTableShape> shapes = {
        {54, "Neuro-Funk 1", NeuroFunk1, {}},
        {55, "Neuro-Funk 2", NeuroFunk2, {}},
        {56, "Dub-Step 1", DubStep1, {}},
        {57, "Dub-Step 2", DubStep2, {}},
        {58, "Zivevo Zazarada", ZivevoZazarada,
         {{0, "-1.000000000000000"}, {1, "-0.964281357999868"}, {511, "0.898811399986555"}}},
        {59, "Push It To The Limit/Tamberk", PushItToTheLimit, {}},
        {60, "Mill/Drumwarden", Mill, {}},
        {61, "Armageddon/Dj Ormsa", Armageddon, {}},
        {62, "Fireback/Ferl", Fireback,
         {{0, "-0.637337923049927"},
          {1, "-0.633664488792419"},
          {255, "-0.008442521095276"},
          {256, "0.001725077834735"},
          {511, "0.880143508928240"}}},
        {63, "Public Enemy/O:RAV", PublicEnemy, {}},
        {64, "Straight/O:RAV", Straight, {}},
        {65, "Gangstarism/O:RAV", Gangstarism, {}},
        {66, "Build To Hurt/Sarrowmind", BuildToHurt, {}},
        {67, "Beastknock/Crovan Array", Beastknock, {}},
        {68, "Schwifty Kick/Vantle", SchwiftyKick, {}},
        {69, "Kardan Failure/Pulvid", KardanFailure, {}},
        {70, "We Are The Illest/Sorell", WeAreTheIllest, {}},
        {71, "Hardcore Blast/Tovi", HardcoreBlast, {}},
        {72, "Monster Truck/Murk Turbine", MonsterTruck, {}},
        {73, "Vibrating Source/Zenthe", VibratingSource, {}},
        {74, "Skullcrusher/The Quarrier", Skullcrusher, {}},
        {75, "Dutchcore/QLM", Dutchcore, {}},
        {76, "Killah/The Velthari", Killah, {}},
        {77, "Crunch Time/Belko", CrunchTime,
         {{0, "-0.943795710159179"}, {255, "0.000000000000000"}, {256, "0.000000000000000"}, {511, "0.957845246143445"}}},
        {78, "Hard as Hell/Hollow Vex", HardAsHell, {}},
        {79, "Syco Killa/Hollow Vex", SycoKilla, {}},
        {80, "Thrashcore/VRN", Thrashcore, {}},
    };
    return shapes;
}
