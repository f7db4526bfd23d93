#include "dsp/units/curves/ShapeCatalogue.h"

#include <array>

namespace
{
constexpr std::array<const char*, kShapeCount> kShapeNames = {
    "Linear",
    "Compressor",
    "Soft-Knee Compressor",
    "Limiter",
    "Soft-Knee Limiter",
    "Warm Saturation",
    "Classic Saturation",
    "Soft-Tube-Distort",
    "Tube-Distort",
    "Transistor",
    "Hard-Overload",
    "Full-Clip",
    "Toxic-Drive 1",
    "Toxic-Drive 2",
    "Toxic-Drive 3",
    "Fuzz-Drive1",
    "Fuzz-Drive2",
    "Fuzz-Drive3",
    "Fuzz-Drive4",
    "Neo-Fuzz",
    "Angry Zombie",
    "Furious Monster",
    "Hardcore-Fuzz1",
    "Hardcore-Fuzz2",
    "Hardcore-Fuzz3",
    "Hardcore-Fuzz4",
    "Tovi-Fuzz",
    "VRN-Fuzz 1",
    "VRN-Fuzz 2",
    "Industrial-Fuzz1",
    "Industrial-Fuzz2",
    "Industrial-Fuzz3",
    "Neuro-Funk 1",
    "Neuro-Funk 2",
    "Dub-Step 1",
    "Dub-Step 2",
    "Big-Bad-Drive",
    "Big-Fat-Drive",
    "MadCat",
    "ElDiablo",
    "ViciousViper",
    "AssKicking",
    "TigersBlood",
    "Corvath-Fuzz",
    "WZSigmoid1-Drive",
    "WZSigmoid2-Drive",
    "WZSigmoid3-Drive",
    "WZSigmoid4-Drive",
    "Wezmark-Drive1",
    "Wezmark-Drive2",
    "Wezmark-Drive3",
    "Wezmark-Drive4",
    "Invert-and-Drive",
    "HumFrazzle-Fuzz 1",
    "HumFrazzle-Fuzz 2",
    "HumFrazzle-Fuzz 3",
    "HumFrazzle-Fuzz 4",
    "Stairway-2-Hell",
    "Zivevo Zazarada",
    "Mill/Drumwarden",
    "Push It To The Limit/Tamberk",
    "Armageddon/Dj Ormsa",
    "Hard as Hell/Hollow Vex",
    "Syco Killa/Hollow Vex",
    "Fireback/Ferl",
    "Public Enemy/O:RAV",
    "Straight/O:RAV",
    "Gangstarism/O:RAV",
    "Build To Hurt/Sarrowmind",
    "Beastknock/Crovan Array",
    "Kardan Failure/Pulvid",
    "Schwifty Kick/Vantle",
    "Killah/The Velthari",
    "Monster Truck/Murk Turbine",
    "Vibrating Source/Zenthe",
    "Crunch Time/Belko",
    "Dutchcore/QLM",
    "We Are The Illest/Sorell",
    "Skullcrusher/The Quarrier",
    "Hardcore Blast/Tovi",
    "Thrashcore/VRN",
};
constexpr const char* kUnknownShape = "Distortion";

constexpr std::array<ShapeCategoryRange, 8> kCategories = {{
    {"Basic Section", 0, 14},
    {"Fuzzy", 15, 21},
    {"Hardcore", 22, 28},
    {"Industrial", 29, 31},
    {"Crunchy", 32, 42},
    {"Experimental", 43, 52},
    {"Noisy", 53, 57},
    {"Producer's", 58, 80},
}};
}

const char* GetDistortionShapeName(uint32_t index)
{
    return index < kShapeNames.size() ? kShapeNames[index] : kUnknownShape;
}

std::span<const ShapeCategoryRange> ShapeCategories()
{
    return kCategories;
}
