#include "graphics/RasterCircle.h"

#include "graphics/RasterCanvas.h"
#include "graphics/RasterDrawMask.h"
#include "graphics/RasterMode.h"

#include <cmath>
#include <numbers>

namespace
{
// Coverage stamps of the small radii, row by row.
constexpr uint8_t kStamp15[] = {79, 255, 255, 79, 255, 15, 15, 255, 255, 15, 15, 255, 79, 255, 255, 79};
constexpr uint8_t kStamp20[] = {15,  191, 255, 191, 15, 191, 209, 79,  209, 191, 255, 79, 0,
                                79,  255, 191, 209, 79, 209, 191, 15,  191, 255, 191, 15};
constexpr uint8_t kStamp25[] = {15,  191, 255, 255, 191, 15, 191, 209, 79,  79,  209, 191,
                                255, 79,  0,   0,   79,  255, 255, 79,  0,   0,   79,  255,
                                191, 209, 79,  79,  209, 191, 15,  191, 255, 255, 191, 15};
constexpr uint8_t kStamp30[] = {0,   143, 255, 255, 255, 143, 0,   143, 255, 97,  64, 97,  255, 143, 255, 112, 0,
                                0,   0,   112, 255, 255, 48,  0,   0,   0,   48,  255, 255, 112, 0,  0,   0,   112,
                                255, 143, 255, 97,  64,  97,  255, 143, 0,   143, 255, 255, 255, 143, 0};
constexpr uint8_t kStamp35[] = {0,   79,  222, 255, 255, 222, 79,  0,   79,  255, 176, 64,  64,  176, 255, 79,
                                222, 176, 0,   0,   0,   0,   176, 222, 255, 64,  0,   0,   0,   0,   64,  255,
                                255, 64,  0,   0,   0,   0,   64,  255, 222, 176, 0,   0,   0,   0,   176, 222,
                                79,  255, 176, 64,  64,  176, 255, 79,  0,   79,  222, 255, 255, 222, 79,  0};
constexpr uint8_t kStamp40[] = {0,   31,  176, 255, 255, 255, 176, 31,  0,   31,  240, 209, 79,  64,  79,  209, 240,
                                31,  176, 209, 15,  0,   0,   0,   15,  209, 176, 255, 79,  0,   0,   0,   0,   0,
                                79,  255, 255, 48,  0,   0,   0,   0,   0,   48,  255, 255, 79,  0,   0,   0,   0,
                                0,   79,  255, 176, 209, 15,  0,   0,   0,   15,  209, 176, 31,  240, 209, 79,  64,
                                79,  209, 240, 31,  0,   31,  176, 255, 255, 255, 176, 31,  0};

struct Stamp
{
    float radius;
    int32_t size;
    const uint8_t* coverage;
};

constexpr Stamp kStamps[] = {
    {1.5f, 4, kStamp15}, {2.0f, 5, kStamp20}, {2.5f, 6, kStamp25},
    {3.0f, 7, kStamp30}, {3.5f, 8, kStamp35}, {4.0f, 9, kStamp40},
};
static_assert(sizeof(kStamp15) == 16 && sizeof(kStamp20) == 25 && sizeof(kStamp25) == 36 && sizeof(kStamp30) == 49
              && sizeof(kStamp35) == 64 && sizeof(kStamp40) == 81);

// Farther than this from the origin a circle is below float pixel precision; it draws nothing.
constexpr float kMaxCoordinate = 4194304.0f;
constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr float kTwoPiFloat = 6.2831855f;

struct ClipRect
{
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

bool Reasonable(float v)
{
    return std::fabs(v) < kMaxCoordinate;
}

// The anti-aliased circle walk. With a clip rectangle every pixel is tested against it;
// without one the caller has made sure the whole circle lies inside the bitmap.
void RasteriseCircle(const RasterCanvas& canvas, const RasterPen& pen, float cx, float cy, float r, const ClipRect* clip)
{
    const int32_t X = static_cast<int32_t>(cx + 0.5f);
    const int32_t Y = static_cast<int32_t>(cy + 0.5f);
    const int32_t ri = static_cast<int32_t>(r);
    const int32_t w = pen.w;
    const auto plot = [&](int32_t x, int32_t y, int32_t weight) {
        if (clip && !(x >= clip->left && x < clip->right && y >= clip->top && y < clip->bottom))
            return;
        pen.Blend(canvas.At(x, y), weight);
    };

    const auto a1 = static_cast<int32_t>((r - std::floor(r)) * static_cast<float>(w));
    const int32_t a2 = w - a1;
    plot(X, Y - ri - 1, a1);
    plot(X, Y + ri + 1, a1);
    plot(X - ri - 1, Y, a1);
    plot(X + ri + 1, Y, a1);
    plot(X, Y - ri, a2);
    plot(X + ri, Y, a2);
    plot(X, Y + ri, a2);
    plot(X - ri, Y, a2);

    const double rr = static_cast<double>(r) * r;
    const auto rowReach = [rr](int32_t k) {
        const double square = rr - static_cast<double>(k) * k;
        return square < 0.0 ? 0.0 : std::sqrt(square);
    };
    if (static_cast<int32_t>(rowReach(1) + 0.5) < 1)
        return;
    for (int32_t k = 1;; ++k)
    {
        const double q = rowReach(k);
        const auto qi = static_cast<int32_t>(q);
        const auto p = static_cast<int32_t>(q + 0.5);
        const auto a = static_cast<int32_t>((q - std::floor(q)) * w);
        const int32_t aOuter = w - a;
        for (const int32_t sign : {-1, 1})
        {
            plot(X + sign * k, Y - qi - 1, a);
            plot(X + sign * k, Y + qi + 1, a);
            plot(X + sign * qi, Y - k, aOuter);
            plot(X + sign * k, Y + qi, aOuter);
            if (k != p)
            {
                plot(X + sign * (qi + 1), Y - k, a);
                plot(X + sign * (qi + 1), Y + k, a);
                plot(X + sign * k, Y - qi, aOuter);
                plot(X + sign * qi, Y + k, aOuter);
            }
        }
        if (!(k + 1 <= static_cast<int32_t>(rowReach(k + 1) + 0.5)))
            break;
    }
}
}

void RasterCircle(PIX_IBitmap* bitmap, float cx, float cy, float r, uint32_t colour, float alpha, uint32_t mode)
{
    RasterCanvas canvas{};
    if (!MakeRasterCanvas(bitmap, canvas) || !(r >= 0.0f) || !Reasonable(cx) || !Reasonable(cy) || !Reasonable(r))
        return;
    const auto ri = static_cast<int32_t>(r);
    const auto icx = static_cast<int32_t>(cx), icy = static_cast<int32_t>(cy);
    if (icx + ri < -2 || icy + ri < -2 || icx - ri > canvas.width + 2 || icy - ri > canvas.height + 2)
        return;

    for (const Stamp& stamp : kStamps)
        if (r == stamp.radius)
        {
            RasterDrawMask(bitmap, static_cast<int32_t>(cx - r), static_cast<int32_t>(cy - r), colour, stamp.coverage,
                           stamp.size, stamp.size, stamp.size, alpha, mode);
            return;
        }

    cy = canvas.StoredY(cy);
    RasterPen pen{};
    if (!MakeRasterPen(colour, RasterWeight(alpha), mode, pen))
        return;
    const bool nearEdge = cx - r - 2 < 0 || cy - r - 2 < 0 || cx + r + 2 >= static_cast<float>(canvas.width)
                       || cy + r + 2 >= static_cast<float>(canvas.height);
    const ClipRect whole{0, 0, canvas.width, canvas.height};
    RasteriseCircle(canvas, pen, cx, cy, r, nearEdge ? &whole : nullptr);
}

void RasterArc(PIX_IBitmap* bitmap, float cx, float cy, float r, float startAngle, float endAngle, uint32_t colour,
               float alpha, uint32_t mode)
{
    RasterCanvas canvas{};
    if (!MakeRasterCanvas(bitmap, canvas) || !std::isfinite(startAngle) || !std::isfinite(endAngle))
        return;
    const float originalCy = cy;
    if (canvas.bottomUp)
    {
        startAngle = std::numbers::pi_v<float> - startAngle;
        endAngle = std::numbers::pi_v<float> - endAngle;
        cy = canvas.StoredY(cy);
    }
    if (startAngle > endAngle)
        std::swap(startAngle, endAngle);
    if (endAngle - startAngle >= kTwoPiFloat)
    {
        RasterCircle(bitmap, cx, originalCy, r, colour, alpha, mode);
        return;
    }
    if (endAngle >= kTwoPiFloat)
    {
        const float reduced = std::fmod(endAngle, kTwoPiFloat);
        startAngle -= endAngle - reduced;
        endAngle = reduced;
    }
    else if (startAngle <= -kTwoPiFloat)
    {
        const float reduced = std::fmod(startAngle, kTwoPiFloat);
        endAngle -= startAngle - reduced;
        startAngle = reduced;
    }

    RasterPen pen{};
    if (!(r >= 0.0f) || !Reasonable(cx) || !Reasonable(cy) || !Reasonable(r) || !MakeRasterPen(colour, RasterWeight(alpha), mode, pen))
        return;

    // One piece per quarter turn; each piece clips the whole circle walk to its own box.
    constexpr double kQuarter = std::numbers::pi / 2.0;
    const double limit = static_cast<double>(endAngle) + kTwoPi;
    double from = static_cast<double>(startAngle) + kTwoPi;
    double to = std::min(from - std::fmod(from, kQuarter) + kQuarter, limit);
    while (from < limit)
    {
        const auto pointX = [&](double t) { return static_cast<int32_t>(cx + r * std::sin(t) + 0.5); };
        const auto pointY = [&](double t) { return static_cast<int32_t>(cy - r * std::cos(t) + 0.5); };
        const int32_t xa = pointX(from), xb = pointX(to), ya = pointY(from), yb = pointY(to);
        const int32_t maxX = std::max(xa, xb), maxY = std::max(ya, yb);
        const ClipRect piece{
            std::max(std::min(xa, xb), 0),
            std::max(std::min(ya, yb), 0),
            std::min(maxX + 1 + (static_cast<float>(maxX) != cx ? 1 : 0), canvas.width),
            std::min(maxY + 1 + (static_cast<float>(maxY) != cy ? 1 : 0), canvas.height),
        };
        RasteriseCircle(canvas, pen, cx, cy, r, &piece);
        from = to;
        to = std::min(to + kQuarter, limit);
    }
}
