#pragma once

#include "framework/ArgbColour.h"
#include "framework/SharedConstants.h"

#include <cstdint>

class PIX_CachedFont;

// How a text is drawn: font face, size, weight or slant, colours, alignment, orientation
// and rendering quality. The cached font is found on first use and kept; it belongs to the
// process-wide font cache.
struct TextStyle
{
    static constexpr int32_t kFaceSize = 36;

    static constexpr int32_t kStyleNormal = 0;
    static constexpr int32_t kStyleBold = 1;
    static constexpr int32_t kStyleItalic = 2;

    static constexpr int32_t kAlignLeft = 0;
    static constexpr int32_t kAlignCentre = 1;
    static constexpr int32_t kAlignRight = 2;

    // Rendering quality, as the platform's font quality: default, aliased, anti-aliased, sub-pixel.
    static constexpr int32_t kQualityDefault = 0;
    static constexpr int32_t kQualityAliased = 1;
    static constexpr int32_t kQualityAntialiased = 2;
    static constexpr int32_t kQualitySubpixel = 3;

    char face[kFaceSize] = "Verdana";
    int32_t size = 12;
    ArgbColour colour = kColourBlack;
    // Colours of a text entry opened over the control.
    ArgbColour entryBackground = kColourWhite;
    ArgbColour entryText = kColourBlack;
    int32_t style = kStyleNormal;
    int32_t alignment = kAlignCentre;
    // Whole degrees, counter-clockwise.
    int32_t orientation = 0;
    int32_t quality = kQualityDefault;
    PIX_CachedFont* cachedFont = nullptr;

    // Copies the face, cut to the field's size; null copies as "".
    void SetFace(const char* name);
    // True when both styles render the same glyphs.
    bool SameFont(const TextStyle& other) const;
};
