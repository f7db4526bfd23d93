#include "dsp/units/curves/InterpolationNames.h"

#include <array>

namespace
{
constexpr std::array<const char*, 5> kInterpolationNames = {
    "[no interpolation]",
    "[linear interpolation]",
    "[cosine interpolation]",
    "[cubic interpolation]",
    "[hermite interpolation]",
};
constexpr const char* kUnknownInterpolation = "[unknown interpolation]";
}

const char* GetInterpolationName(uint32_t mode)
{
    return mode < kInterpolationNames.size() ? kInterpolationNames[mode] : kUnknownInterpolation;
}
