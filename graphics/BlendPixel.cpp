#include "graphics/BlendPixel.h"

#include "graphics/RasterPixel.h"

#include <algorithm>

namespace
{
constexpr int32_t Clamp255(int32_t v)
{
    return std::clamp(v, 0, 255);
}

// Splits a pixel into its bytes in the order blue, green, red, alpha (memory order).
struct Bytes
{
    int32_t v[4];
};

Bytes Split(uint32_t p)
{
    return {{PixelBlue(p), PixelGreen(p), PixelRed(p), PixelAlpha(p)}};
}

// Low 8 bits of each value, where no clamp is named.
uint32_t Join(const Bytes& b)
{
    return PixelWord(static_cast<uint32_t>(b.v[3]), static_cast<uint32_t>(b.v[2]), static_cast<uint32_t>(b.v[1]),
                     static_cast<uint32_t>(b.v[0]));
}

Bytes Source(int32_t r, int32_t g, int32_t b, int32_t a)
{
    return {{b, g, r, a}};
}

int32_t SourceAlphaWeight(int32_t a, int32_t w)
{
    return ((a + 1) * w) / 256;
}

void Multiply(uint32_t* pixel, const Bytes& s, int32_t w)
{
    Bytes d = Split(*pixel);
    for (int i = 0; i < 4; ++i)
        d.v[i] = (((s.v[i] - 256) * w + 65536) * d.v[i]) >> 16;
    *pixel = Join(d);
}

void Dodge(uint32_t* pixel, const Bytes& s, int32_t w)
{
    Bytes d = Split(*pixel);
    for (int i = 0; i < 4; ++i)
    {
        const int32_t k = 256 - (s.v[i] * w) / 256;
        int32_t v = d.v[i] * 256;
        if (k > 1)
            v /= k;
        d.v[i] = Clamp255(v);
    }
    *pixel = Join(d);
}
}

void BlendPixelMultiply(uint32_t* pixel, uint32_t source, int32_t w)
{
    Multiply(pixel, Split(source), w);
}

void BlendPixelCopyAlpha(uint32_t* pixel, int32_t r, int32_t g, int32_t b, int32_t a, int32_t)
{
    if (a == 0)
        return;
    if (a == 255)
    {
        *pixel = PixelWord(255, static_cast<uint32_t>(r), static_cast<uint32_t>(g), static_cast<uint32_t>(b));
        return;
    }
    Bytes d = Split(*pixel);
    const Bytes s = Source(r, g, b, a);
    for (int i = 0; i < 3; ++i)
        d.v[i] = s.v[i] + ((d.v[i] - s.v[i]) * (255 - a)) / 256;
    d.v[3] = std::min(d.v[3] + a, 255);
    *pixel = Join(d);
}

void BlendPixelCopyAlphaWeighted(uint32_t* pixel, uint32_t source, int32_t w)
{
    const Bytes s = Split(source);
    if (s.v[3] == 0)
        return;
    const int32_t w2 = SourceAlphaWeight(s.v[3], w);
    Bytes d = Split(*pixel);
    for (int i = 0; i < 3; ++i)
        d.v[i] = s.v[i] + ((d.v[i] - s.v[i]) * (256 - w2)) / 256;
    d.v[3] = std::min(d.v[3] + w2, 255);
    *pixel = Join(d);
}

void BlendPixelAdd(uint32_t* pixel, int32_t r, int32_t g, int32_t b, int32_t a, int32_t w)
{
    Bytes d = Split(*pixel);
    const Bytes s = Source(r, g, b, a);
    for (int i = 0; i < 4; ++i)
        d.v[i] = Clamp255(d.v[i] + (s.v[i] * w) / 256);
    *pixel = Join(d);
}

void BlendPixelAddAlpha(uint32_t* pixel, int32_t r, int32_t g, int32_t b, int32_t a, int32_t w)
{
    if (a == 0)
        return;
    const int32_t w2 = SourceAlphaWeight(a, w);
    Bytes d = Split(*pixel);
    const Bytes s = Source(r, g, b, a);
    for (int i = 0; i < 4; ++i)
        d.v[i] = Clamp255(d.v[i] + (w2 * s.v[i]) / 256);
    *pixel = Join(d);
}

void BlendPixelDodge(uint32_t* pixel, int32_t r, int32_t g, int32_t b, int32_t a, int32_t w)
{
    Dodge(pixel, Source(r, g, b, a), w);
}

void BlendPixelDodgeAlpha(uint32_t* pixel, int32_t r, int32_t g, int32_t b, int32_t a, int32_t w)
{
    Dodge(pixel, Source(r, g, b, a), SourceAlphaWeight(a, w));
}

void BlendPixelMultiplyAlpha(uint32_t* pixel, int32_t r, int32_t g, int32_t b, int32_t a, int32_t w)
{
    if (a == 0)
        return;
    Multiply(pixel, Source(r, g, b, a), SourceAlphaWeight(a, w));
}

void BlendPixelOverlay(uint32_t* pixel, int32_t r, int32_t g, int32_t b, int32_t a, int32_t w)
{
    Bytes d = Split(*pixel);
    const Bytes s = Source(r, g, b, a);
    for (int i = 0; i < 4; ++i)
    {
        const int32_t t = s.v[i] * w + (256 - w) * 128;
        d.v[i] = Clamp255(((((32768 - t) * d.v[i]) / 256) + t) * d.v[i] >> 15);
    }
    *pixel = Join(d);
}

void BlendPixelHsv(uint32_t* pixel, int32_t r, int32_t g, int32_t b, int32_t a, int32_t w)
{
    const int32_t R = PixelRed(*pixel);
    const int32_t G = PixelGreen(*pixel);
    const int32_t B = PixelBlue(*pixel);

    // Six sectors of 64 steps; the red-to-magenta sector starts at 383 so that the hue of a
    // pure red with a trace of blue lands just below a full turn.
    int32_t max, delta, base, n;
    if (G > R && G > B)
    {
        max = G, delta = G - std::min(R, B), base = 128, n = B - R;
    }
    else if (G > R)
    {
        max = B, delta = B - R, base = 256, n = R - G;
    }
    else if (R > B)
    {
        max = R, delta = R - std::min(G, B), base = G >= B ? 0 : 383, n = G - B;
    }
    else
    {
        max = B, delta = B - std::min(G, R), base = 256, n = R - G;
    }

    constexpr int32_t kHueCircle = 384;
    int32_t hue = base + (n * (RasterReciprocal[static_cast<size_t>(delta)] + 1)) / 1024 + ((r + r / 2 - 192) * w) / 256;
    if (hue < 0)
        hue += kHueCircle;
    else if (hue >= kHueCircle)
        hue -= kHueCircle;

    const int32_t sat = Clamp255((RasterReciprocal[static_cast<size_t>(max)] * delta) / 256 + ((g - 128) * w) / 128);
    const int32_t val = Clamp255(max + ((b - 128) * w) / 128);
    const int32_t p = ((256 - sat) * val) / 256;
    const auto f = [&](int32_t k) { return ((k * sat + 16384) * val) / 16384; };

    int32_t outR, outG, outB;
    if (hue < 64)
        outR = val, outG = f(hue - 64), outB = p;
    else if (hue < 128)
        outR = f(64 - hue), outG = val, outB = p;
    else if (hue < 192)
        outR = p, outG = val, outB = f(hue - 192);
    else if (hue < 256)
        outR = p, outG = f(192 - hue), outB = val;
    else if (hue < 320)
        outR = f(hue - 320), outG = p, outB = val;
    else
        outR = val, outG = p, outB = f(320 - hue);

    *pixel = PixelWord(static_cast<uint32_t>(a), static_cast<uint32_t>(outR), static_cast<uint32_t>(outG),
                       static_cast<uint32_t>(outB));
}

namespace
{
template <void (*Blend)(uint32_t*, int32_t, int32_t, int32_t, int32_t, int32_t)>
void BlendWithColour(uint32_t* pixel, uint32_t colour, int32_t w)
{
    Blend(pixel, PixelRed(colour), PixelGreen(colour), PixelBlue(colour), PixelAlpha(colour), w);
}
}

BlendPixelFunction BlendPixelForMode(uint32_t modeByte)
{
    static constexpr BlendPixelFunction kByMode[] = {
        BlendPixelWeightedCopy,          BlendWithColour<BlendPixelAdd>,     BlendWithColour<BlendPixelDodge>,
        BlendPixelMultiply,              BlendWithColour<BlendPixelOverlay>, BlendWithColour<BlendPixelHsv>,
    };
    return modeByte < std::size(kByMode) ? kByMode[modeByte] : nullptr;
}
