#pragma once

#include "dsp/units/curves/ShapeCatalogue.h"

#include <cstdint>
#include <string>

// One shape of the curve menu: its index and its display name.
struct ShapeEntry
{
    explicit ShapeEntry(uint32_t shapeIndex) : index(shapeIndex), name(GetDistortionShapeName(shapeIndex)) {}

    uint32_t index;
    std::string name;
};
