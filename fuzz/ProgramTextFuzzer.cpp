// Program text files as users edit them: whatever the text, the program holds finite values
// within 0..1 and a name of at most 32 characters, the curve line gives finite points within
// -1..1 or none, and the settings keep terminated paths and finite numbers.
#include "dsp/units/curves/DistortionCurve.h"
#include "dsp/units/files/CurveText.h"
#include "dsp/units/path/Distortion.h"
#include "fuzz/CurveCheck.h"
#include "plugin/PluginConfig.h"
#include "plugin/ProgramTextFile.h"
#include "plugin/ZarvotoneProgram.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    Wezmark::ZarvotoneProgram program;
    std::string curveText;
    std::istringstream programIn(text);
    ProgramTextFile::Read(programIn, program, curveText);
    if (program.Name().size() > ProgramTextFile::kNameLength)
        std::abort();
    for (int index = 0; index < kTotalParamCount; ++index)
    {
        const double value = program.GetValue(index);
        if (!std::isfinite(value) || value < 0.0 || value > 1.0)
            std::abort();
    }
    // As a load hands the curve line to every chain.
    DistortionCurve curve(Wezmark::Distortion::kCurvePoints);
    if (CurveText::Read(curve, curveText))
        CheckCurvePoints(curve);

    PluginConfig config;
    config.SetDefaults();
    std::istringstream configIn(text);
    config.Load(configIn);
    for (const char* field : config.Texts())
        if (std::memchr(field, '\0', PluginConfig::kTextSize) == nullptr)
            std::abort();
    for (const double* setting : config.ViewSettings())
        if (!std::isfinite(*setting))
            std::abort();
    return 0;
}
