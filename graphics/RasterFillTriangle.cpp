#include "graphics/RasterFillTriangle.h"

#include "graphics/RasterCanvas.h"
#include "graphics/RasterMode.h"

#include <algorithm>
#include <utility>

namespace
{
struct Vertex
{
    int32_t x;
    int32_t y;
};

// One side of a trapezoid: an integer x and a 16-bit fraction stepped row by row.
struct Edge
{
    int64_t x;
    int64_t fraction;
    int64_t increment;
    int64_t direction;

    Edge(int64_t top, int64_t bottom, int64_t rows)
        : x(top)
        , fraction(0)
        , direction(bottom < top ? -1 : 1)
    {
        constexpr double kMaxIncrement = 536870912.0;
        const double perRow = rows > 0 ? static_cast<double>(bottom > top ? bottom - top : top - bottom) * 65536.0 / rows : 0.0;
        increment = static_cast<int64_t>(std::min(perRow, kMaxIncrement));
    }

    void Advance(int64_t rows)
    {
        fraction += increment * rows;
        x += direction * (fraction >> 16);
        fraction &= 0xFFFF;
    }
};

class TriangleFiller
{
public:
    TriangleFiller(const RasterCanvas& canvas, const RasterPen& pen)
        : mCanvas(canvas)
        , mPen(pen)
    {
    }

    // Rows top to bottom, both included, each span from its left x to its right x.
    void Trapezoid(int64_t top, int64_t topA, int64_t topB, int64_t bottom, int64_t bottomA, int64_t bottomB) const
    {
        if (bottom < top)
            std::swap(top, bottom), std::swap(topA, bottomA), std::swap(topB, bottomB);
        if (topB < topA)
            std::swap(topA, topB);
        if (bottomB < bottomA)
            std::swap(bottomA, bottomB);
        if ((topB < 0 && bottomB < 0) || (topA >= mCanvas.width && bottomA >= mCanvas.width) || bottom < 0
            || top >= mCanvas.height)
            return;

        const int64_t rows = bottom - top;
        Edge left(topA, bottomA, rows), right(topB, bottomB, rows);
        if (top < 0)
        {
            left.Advance(-top);
            right.Advance(-top);
            top = 0;
        }
        const int64_t last = std::min<int64_t>(bottom, mCanvas.height - 1);
        for (int64_t y = top; y <= last; ++y)
        {
            Span(static_cast<int32_t>(y), left.x, right.x);
            left.Advance(1);
            right.Advance(1);
        }
    }

    // The span clipped to the columns 0 to width - 1: column width is never touched.
    void Span(int32_t y, int64_t from, int64_t to) const
    {
        from = std::max<int64_t>(from, 0);
        to = std::min<int64_t>(to, mCanvas.width - 1);
        if (to < from)
            return;
        uint32_t* const first = mCanvas.At(static_cast<int32_t>(from), y);
        const auto count = static_cast<int32_t>(to - from + 1);
        if (mPen.modeByte == RasterModeCopy && WithWholeWordMix(mPen.w, [&](auto mix) {
                for (int32_t i = 0; i < count; ++i)
                    first[i] = mix(first[i], mPen.colour);
            }))
            return;
        for (int32_t i = 0; i < count; ++i)
            mPen.Blend(first + i, mPen.w);
    }

private:
    const RasterCanvas& mCanvas;
    const RasterPen& mPen;
};

// x of the edge from a to b at row y, in single precision as the walk expects.
int64_t EdgeX(const Vertex& a, const Vertex& b, int32_t y)
{
    const float slope = static_cast<float>(static_cast<int64_t>(b.x) - a.x) / static_cast<float>(static_cast<int64_t>(b.y) - a.y);
    return a.x + static_cast<int64_t>(slope * static_cast<float>(static_cast<int64_t>(y) - a.y));
}
}

void RasterFillTriangle(PIX_IBitmap* bitmap, const int32_t x[3], const int32_t y[3], uint32_t colour, float alpha,
                        uint32_t mode)
{
    RasterCanvas canvas{};
    RasterPen pen{};
    if (!MakeRasterCanvas(bitmap, canvas) || !x || !y || !MakeRasterPen(colour, RasterWeight(alpha), mode, pen))
        return;
    Vertex v[3] = {{x[0], canvas.StoredY(y[0])}, {x[1], canvas.StoredY(y[1])}, {x[2], canvas.StoredY(y[2])}};
    std::sort(std::begin(v), std::end(v), [](const Vertex& a, const Vertex& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });

    const TriangleFiller filler(canvas, pen);
    if (v[0].y == v[2].y)
    {
        if (v[0].y >= 0 && v[0].y < canvas.height)
            filler.Span(v[0].y, v[0].x, v[2].x);
        return;
    }
    // The long edge runs from the top vertex to the bottom one; the middle vertex splits the
    // triangle into a top and a bottom trapezoid.
    const int64_t longX = EdgeX(v[0], v[2], v[1].y);
    if (v[0].y < v[1].y)
        filler.Trapezoid(v[0].y, v[0].x, v[0].x, v[1].y, longX, v[1].x);
    if (v[1].y < v[2].y)
        filler.Trapezoid(v[1].y, longX, v[1].x, v[2].y, v[2].x, v[2].x);
}
