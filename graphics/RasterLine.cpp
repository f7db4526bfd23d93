#include "graphics/RasterLine.h"

#include "graphics/RasterCanvas.h"
#include "graphics/RasterMode.h"

#include <cmath>
#include <cstdlib>

namespace
{
enum OutCode : int
{
    kLeftOf = 1,
    kRightOf = 2,
    kAbove = 4,
    kBelow = 8,
};

int OutCodeOf(int32_t x, int32_t y, int32_t width, int32_t height)
{
    return (x < 0 ? kLeftOf : 0) | (x >= width ? kRightOf : 0) | (y < 0 ? kAbove : 0) | (y >= height ? kBelow : 0);
}

void DrawStraight(const RasterCanvas& canvas, const RasterPen& pen, float alpha, int32_t x1, int32_t y1, int32_t x2,
                  int32_t y2)
{
    const int32_t stepX = x1 == x2 ? 0 : 1;
    const int32_t stepY = x1 == x2 ? 1 : 0;
    const int32_t startX = std::min(x1, x2), startY = std::min(y1, y2);
    const int32_t count = std::max(std::abs(x2 - x1), std::abs(y2 - y1)) + 1;
    const auto pixelAt = [&](int32_t i) { return canvas.At(startX + i * stepX, startY + i * stepY); };
    // Copy at alpha 1, 1/2, 1/4 and 3/4 works on whole words.
    const bool exactAlpha = alpha == 1.0f || alpha == 0.5f || alpha == 0.25f || alpha == 0.75f;
    if (pen.modeByte == RasterModeCopy && exactAlpha && WithWholeWordMix(pen.w, [&](auto mix) {
            for (int32_t i = 0; i < count; ++i)
                *pixelAt(i) = mix(*pixelAt(i), pen.colour);
        }))
        return;
    for (int32_t i = 0; i < count; ++i)
        pen.Solid(pixelAt(i));
}

void DrawDiagonal(const RasterCanvas& canvas, const RasterPen& pen, float alpha, bool antialias, int32_t x1,
                  int32_t y1, int32_t x2, int32_t y2)
{
    const int32_t stepX = x2 > x1 ? 1 : -1;
    const int32_t stepY = y2 > y1 ? 1 : -1;
    const int32_t last = std::abs(x2 - x1);
    const bool wordArithmetic = pen.modeByte == RasterModeCopy && alpha == 1.0f;
    const int32_t lineWeight = (3 * pen.w) / 4;
    const int32_t sideWeight = pen.w / 4;
    for (int32_t i = 0; i <= last; ++i)
    {
        const int32_t x = x1 + i * stepX, y = y1 + i * stepY;
        uint32_t* d = canvas.At(x, y);
        if (!antialias)
        {
            pen.Solid(d);
            continue;
        }
        // The two side pixels lie towards the next pixel, so they stay inside the clipped segment's box.
        uint32_t* sides[2] = {i < last ? canvas.At(x + stepX, y) : nullptr, i < last ? canvas.At(x, y + stepY) : nullptr};
        if (wordArithmetic)
        {
            *d = MixThreeQuarters(*d, pen.colour);
            for (uint32_t* side : sides)
                if (side)
                    *side = MixQuarter(*side, pen.colour);
        }
        else
        {
            pen.Blend(d, lineWeight);
            for (uint32_t* side : sides)
                if (side)
                    pen.Blend(side, sideWeight);
        }
    }
}

// Walks from one end towards the middle; the far end's walker is the mirror image.
struct LineWalker
{
    int32_t major;
    int32_t minor;
    int32_t majorStep;
    int32_t minorStep;
    int32_t error;

    // One step along the major axis; a minor step once the error reaches the threshold.
    void Advance(int32_t slope, int32_t threshold)
    {
        error += slope;
        major += majorStep;
        if (error >= threshold)
        {
            minor += minorStep;
            error -= 65536;
        }
    }
};

void DrawSloped(const RasterCanvas& canvas, const RasterPen& pen, bool antialias, int32_t x1, int32_t y1, int32_t x2,
                int32_t y2)
{
    const int32_t dx = x2 - x1, dy = y2 - y1;
    const bool xMajor = std::abs(dx) > std::abs(dy);
    const int32_t n = xMajor ? std::abs(dx) : std::abs(dy);
    const int32_t m = xMajor ? std::abs(dy) : std::abs(dx);
    const auto slope = static_cast<int32_t>(static_cast<double>(m) / n * 65536.0);
    const int32_t majorSign = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int32_t minorSign = (xMajor ? dy : dx) > 0 ? 1 : -1;
    const auto pixel = [&](int32_t major, int32_t minor) {
        return xMajor ? canvas.At(major, minor) : canvas.At(minor, major);
    };

    LineWalker walkers[2] = {
        {xMajor ? x1 : y1, xMajor ? y1 : x1, majorSign, minorSign, 0},
        {xMajor ? x2 : y2, xMajor ? y2 : x2, -majorSign, -minorSign, 0},
    };
    const int32_t stepsPerEnd = (n + 1) / 2;

    if (!antialias)
    {
        const auto step = [&](LineWalker& walker) {
            pen.Solid(pixel(walker.major, walker.minor));
            walker.Advance(slope, 32768);
        };
        for (int32_t i = 0; i < stepsPerEnd; ++i)
            for (LineWalker& walker : walkers)
                step(walker);
        if (n % 2 == 0)
            pen.Solid(pixel(walkers[0].major, walkers[0].minor));
        return;
    }

    for (LineWalker& walker : walkers)
    {
        pen.Blend(pixel(walker.major, walker.minor), pen.w);
        walker.major += walker.majorStep;
        walker.error = slope;
    }
    const auto step = [&](LineWalker& walker) {
        const int32_t f = walker.error >> 8;
        pen.Blend(pixel(walker.major, walker.minor), ((255 - f) * pen.w) >> 8);
        pen.Blend(pixel(walker.major, walker.minor + walker.minorStep), (f * pen.w) >> 8);
        walker.Advance(slope, 65536);
    };
    for (int32_t i = 1; i < stepsPerEnd; ++i)
        for (LineWalker& walker : walkers)
            step(walker);
    if (n % 2 == 0)
        step(walkers[0]);
}

int32_t Saturate(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}
}

bool RasterClipLine(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2, int32_t width, int32_t height)
{
    constexpr int kMaxRounds = 33;
    for (int round = 0; round < kMaxRounds; ++round)
    {
        const int code1 = OutCodeOf(x1, y1, width, height);
        const int code2 = OutCodeOf(x2, y2, width, height);
        if ((code1 | code2) == 0)
            return true;
        if (code1 & code2)
            return false;

        const int code = code1 ? code1 : code2;
        // In double precision: the differences of far-apart ends do not fit 32 bits.
        const double ddx = static_cast<double>(x2) - x1, ddy = static_cast<double>(y2) - y1;
        int32_t x, y;
        if (code & kBelow)
            x = Saturate(x1 + static_cast<int64_t>((height - static_cast<double>(y1)) * ddx / ddy)), y = height - 1;
        else if (code & kAbove)
            x = Saturate(x1 - static_cast<int64_t>(y1 * ddx / ddy)), y = 0;
        else if (code & kRightOf)
            y = Saturate(y1 + static_cast<int64_t>((width - static_cast<double>(x1)) * ddy / ddx)), x = width - 1;
        else
            y = Saturate(y1 - static_cast<int64_t>(x1 * ddy / ddx)), x = 0;

        if (code == code1)
            x1 = x, y1 = y;
        else
            x2 = x, y2 = y;
    }
    return false;
}

void RasterLine(PIX_IBitmap* bitmap, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour, float alpha,
                uint32_t mode, bool antialias)
{
    RasterCanvas canvas{};
    RasterPen pen{};
    if (!MakeRasterCanvas(bitmap, canvas) || !MakeRasterPen(colour, RasterWeight(alpha), mode, pen))
        return;
    y1 = canvas.StoredY(y1);
    y2 = canvas.StoredY(y2);
    if (!RasterClipLine(x1, y1, x2, y2, canvas.width, canvas.height))
        return;

    if (y1 == y2 || x1 == x2)
        DrawStraight(canvas, pen, alpha, x1, y1, x2, y2);
    else if (std::abs(x2 - x1) == std::abs(y2 - y1))
        DrawDiagonal(canvas, pen, alpha, antialias, x1, y1, x2, y2);
    else
        DrawSloped(canvas, pen, antialias, x1, y1, x2, y2);
}

void RasterRectOutline(PIX_IBitmap* bitmap, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour,
                       float alpha, uint32_t mode)
{
    const int32_t right = Saturate(int64_t{x} + width);
    const int32_t bottom = Saturate(int64_t{y} + height);
    RasterLine(bitmap, x, y, right, y, colour, alpha, mode, false);
    RasterLine(bitmap, right, y, right, bottom, colour, alpha, mode, false);
    RasterLine(bitmap, right, bottom, x, bottom, colour, alpha, mode, false);
    RasterLine(bitmap, x, bottom, x, y, colour, alpha, mode, false);
}
