#pragma once

#include "dsp/SamplePair.h"
#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/curves/DistortionCurve.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

// Reads a transfer-curve table with one interpolation mode fixed at compile time, so that a
// block of look-ups does not decide the mode again for every sample.
template <uint32_t Mode>
class CurveReading
{
public:
    CurveReading(uint16_t count, double lastIndex, const double* table)
        : count(count), lastIndex(lastIndex), table(table)
    {
    }

    // NaN reads as x = 0.
    double At(double x) const
    {
        const Point p = Locate(x);
        if constexpr (Mode == DistortionCurve::kNoInterpolation)
        {
            return table[p.index];
        }
        else if constexpr (Mode == DistortionCurve::kCosineInterpolation)
        {
            const double c = (1.0 - std::cos(p.t * std::numbers::pi)) * 0.5;
            return (1.0 - c) * table[p.index] + c * table[Next(p.index)];
        }
        else if constexpr (Mode == DistortionCurve::kCubicInterpolation)
        {
            return CubicInterpolate(table[Previous(p.index)], table[p.index], table[Next(p.index)],
                                    table[AfterNext(p.index)], p.t);
        }
        else
        {
            return Interpolate(table[Previous(p.index)], table[p.index], table[Next(p.index)],
                               table[AfterNext(p.index)], p.t);
        }
    }

    // Two look-ups at once, such as a frame's left and right sample; each lane as At gives it.
    SamplePair AtPair(SamplePair x) const
    {
        if constexpr (Mode == DistortionCurve::kLinearInterpolation || Mode == DistortionCurve::kHermiteInterpolation)
        {
            const Point a = Locate(x[0]);
            const Point b = Locate(x[1]);
            return Interpolate(SamplePair{table[Previous(a.index)], table[Previous(b.index)]},
                               SamplePair{table[a.index], table[b.index]},
                               SamplePair{table[Next(a.index)], table[Next(b.index)]},
                               SamplePair{table[AfterNext(a.index)], table[AfterNext(b.index)]}, SamplePair{a.t, b.t});
        }
        else
        {
            return SamplePair{At(x[0]), At(x[1])};
        }
    }

    void Each(const double* in, double* out, int32_t n) const
    {
        int32_t i = 0;
        if constexpr (Mode == DistortionCurve::kLinearInterpolation || Mode == DistortionCurve::kHermiteInterpolation)
        {
            // Two look-ups share the arithmetic of one: the same operations on each, side by side.
            for (; i + 1 < n; i += 2)
            {
                const Point a = Locate(in[i]);
                const Point b = Locate(in[i + 1]);
                const SamplePair t = {a.t, b.t};
                SamplePair y;
                if (Inside(a.index) && Inside(b.index))
                {
                    const double* pa = table + a.index;
                    const double* pb = table + b.index;
                    y = Interpolate(SamplePair{pa[-1], pb[-1]}, SamplePair{pa[0], pb[0]},
                                    SamplePair{pa[1], pb[1]}, SamplePair{pa[2], pb[2]}, t);
                }
                else
                {
                    y = Interpolate(SamplePair{table[Previous(a.index)], table[Previous(b.index)]},
                                    SamplePair{table[a.index], table[b.index]},
                                    SamplePair{table[Next(a.index)], table[Next(b.index)]},
                                    SamplePair{table[AfterNext(a.index)], table[AfterNext(b.index)]}, t);
                }
                out[i] = y[0];
                out[i + 1] = y[1];
            }
        }
        for (; i < n; ++i)
            out[i] = At(in[i]);
    }

private:
    struct Point
    {
        uint16_t index;
        // 0 <= t < 1 between index and the next point.
        double t;
    };

    Point Locate(double x) const
    {
        if (std::isnan(x))
            x = 0.0;
        x = std::clamp(x, -1.0, 1.0);
        const double position = (x + 1.0) * 0.5 * lastIndex;
        const uint16_t index = static_cast<uint16_t>(position);
        return {index, position - index};
    }

    // True when no neighbour of the point needs an end point repeated.
    bool Inside(uint16_t i) const { return i >= 1 && i + 2 < count; }

    // Neighbours of a point, repeating the end points.
    uint16_t Previous(uint16_t i) const { return i == 0 ? 0 : i - 1; }
    uint16_t Next(uint16_t i) const { return i + 1 < count ? i + 1 : count - 1; }
    uint16_t AfterNext(uint16_t i) const { return i + 2 < count ? i + 2 : count - 1; }

    // Linear from y1 to y2, or Hermite through y1 and y2 with tension 0 and bias 0.
    template <class Sample>
    static Sample Interpolate(Sample y0, Sample y1, Sample y2, Sample y3, Sample t)
    {
        if constexpr (Mode == DistortionCurve::kLinearInterpolation)
        {
            return (1.0 - t) * y1 + t * y2;
        }
        else
        {
            const Sample m0 = (y1 - y0) * 0.5 + (y2 - y1) * 0.5;
            const Sample m1 = (y2 - y1) * 0.5 + (y3 - y2) * 0.5;
            const Sample t2 = t * t;
            const Sample t3 = t2 * t;
            return (2.0 * t3 - 3.0 * t2 + 1.0) * y1 + (t3 - 2.0 * t2 + t) * m0 + (t3 - t2) * m1 +
                   (3.0 * t2 - 2.0 * t3) * y2;
        }
    }

    uint16_t count;
    double lastIndex;
    const double* table;
};

template <class Read>
void DistortionCurve::WithReading(const double* table, Read read) const
{
    switch (interpolation)
    {
    case kNoInterpolation:
        read(CurveReading<kNoInterpolation>(count, lastIndex, table));
        break;
    case kCosineInterpolation:
        read(CurveReading<kCosineInterpolation>(count, lastIndex, table));
        break;
    case kCubicInterpolation:
        read(CurveReading<kCubicInterpolation>(count, lastIndex, table));
        break;
    case kHermiteInterpolation:
        read(CurveReading<kHermiteInterpolation>(count, lastIndex, table));
        break;
    default:
        read(CurveReading<kLinearInterpolation>(count, lastIndex, table));
        break;
    }
}
