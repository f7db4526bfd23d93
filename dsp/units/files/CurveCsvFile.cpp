#include "dsp/units/files/CurveCsvFile.h"

#include "dsp/units/curves/DistortionCurve.h"
#include "dsp/units/files/CurveText.h"
#include "dsp/units/files/FileBytes.h"

#include <string_view>
#include <vector>

bool CurveCsvFile::Import(DistortionCurve* curve, const std::string& path)
{
    if (curve == nullptr)
        return false;
    std::vector<uint8_t> bytes;
    if (!FileBytes::Read(path, kMaxFileBytes, bytes))
        return false;
    return CurveText::Read(*curve, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
