#include "graphics/BlendSpec.h"

#include "graphics/RasterMode.h"

uint32_t RasterModeOf(const BlendSpec* blend)
{
    if (!blend)
        return RasterModeSourceAlpha;
    switch (blend->method)
    {
    case BlendSpec::kCopy:
        return RasterModeCopy;
    case BlendSpec::kAdd:
        return RasterModeSourceAlpha | RasterModeAdd;
    case BlendSpec::kColourDodge:
        return RasterModeSourceAlpha | RasterModeDodge;
    default:
        return RasterModeSourceAlpha;
    }
}

float RasterAlphaOf(const BlendSpec* blend)
{
    return blend ? blend->weight : 1.0f;
}
