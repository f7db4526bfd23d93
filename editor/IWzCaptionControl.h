#pragma once

#include "graphics/ICaptionControl.h"

#include <cstddef>
#include <string>

// The bound parameter's value in one of the product's own formats.
class IWzCaptionControl : public ICaptionControl
{
public:
    enum Format
    {
        kDecibels = 0,
        kPercent = 1,
        kSemitones = 2,
        kBipolar = 3,
        kCentred = 4,
        kScaledFine = 5,
        kScaledCoarse = 6,
        kCentredDoubled = 7,
        // Any other format: the parameter's own display text.
        kParameterText = 8,
    };

    IWzCaptionControl(IEffectBase* plug, const Rect& rect, int paramIndex, const TextStyle* style, int format,
                      bool showLabel = false, double scale = 1.0, double offset = 0.0, const char* unit = "");

    bool Draw(IGraphics* graphics) override;

    // The text of plain value `x` in one of the numeric formats; false for any other format.
    bool FormatNumber(double x, char* out, size_t size) const;
    // The same for a given format, scale, offset and unit; hosts are shown these texts too.
    static bool FormatNumber(int format, double x, char* out, size_t size, double scale = 1.0, double offset = 0.0,
                             const char* unit = "");

private:
    int32_t mFormat;
    double mScale;
    double mOffset;
    std::string mUnit;
};
