#include "dsp/units/curves/ParseCurveName.h"

#include "dsp/units/curves/ShapeCatalogue.h"

#include <array>

namespace
{

struct CurveAlias
{
    CurveId id;
    std::string_view name;
};

// Names that older program files used for these curves.
constexpr std::array<CurveAlias, 27> kAliases = {{
    {9, "Transistor 1"},
    {15, "Fuzz-Drive"},
    {20, "Let The Angry One In"},
    {21, "Let The Furious One In"},
    {48, "Wezmark-Drive"},
    {59, "Mill"},
    {60, "Push It To The Limit"},
    {61, "Armageddon"},
    {62, "Hard as Hell"},
    {63, "Syco Killa"},
    {64, "Fireback by Ferl"},
    {65, "Public Enemy by O:RAV"},
    {66, "Straight by O:RAV"},
    {67, "Gangstarizm by O:RAV"},
    {68, "Build To Hurt"},
    {69, "Beastknock"},
    {70, "Kardan Failure"},
    {71, "Schwifty Kick"},
    {72, "Killah"},
    {73, "Monster Truck"},
    {74, "Vibrating Source"},
    {75, "Crunch Time"},
    {76, "Dutchcore"},
    {77, "We Are The Illest"},
    {78, "Skullcrusher"},
    {79, "Hardcore Blast"},
    {80, "VRN Thrashcore"},
}};

} // namespace

CurveId ParseCurveName(std::string_view text)
{
    for (CurveId id = 1; id < kCurveIdCount; ++id)
        if (text == GetDistortionShapeName(id))
            return id;
    for (const CurveAlias& alias : kAliases)
        if (text == alias.name)
            return alias.id;
    return 0;
}
