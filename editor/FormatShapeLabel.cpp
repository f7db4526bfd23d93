#include "editor/FormatShapeLabel.h"

#include "dsp/units/curves/ShapeCatalogue.h"

#include <cstdio>

std::string FormatShapeLabel(uint32_t index)
{
    // Room for the largest number and the longest name.
    char label[128];
    std::snprintf(label, sizeof label, "%02llu: %s", static_cast<unsigned long long>(index) + 1,
                  GetDistortionShapeName(index));
    return label;
}
