#pragma once

#include "framework/SampleArray.h"

#include <cstdint>
#include <string>
#include <vector>

// A transfer function y = f(x) sampled at `count` evenly spaced inputs from -1 to +1.
// Processing reads the points themselves, or where the polarity mode takes one half from
// `alternative`, `effective`, rebuilt from both.
class DistortionCurve
{
public:
    enum Interpolation : uint32_t
    {
        kNoInterpolation = 0,
        kLinearInterpolation = 1,
        kCosineInterpolation = 2,
        kCubicInterpolation = 3,
        kHermiteInterpolation = 4,
    };

    enum Polarity : uint32_t
    {
        kShapeBothHalves = 0,
        kLinearBelowZero = 1,
        kLinearAboveZero = 2,
    };

    explicit DistortionCurve(uint16_t pointCount);
    DistortionCurve(const DistortionCurve&) = delete;
    DistortionCurve& operator=(const DistortionCurve&) = delete;

    // Identity ramp into points, alternative and effective alike.
    void SetIdentity();

    // Ignored unless exactly `count` values are given; non-finite values become 0, all are clamped.
    void SetPoints(const double* values, int32_t n);
    void SetPoints(const std::vector<double>& values);

    // The curve at x read from `table` (one of this curve's arrays or another curve's points
    // of the same count); 0 for a null table. NaN reads as x = 0.
    double Lookup(double x, const double* table) const;
    // Lookup of each of the n samples of `in` into `out`.
    void LookupBlock(const double* in, double* out, int32_t n, const double* table) const;
    // Calls `read` with a CurveReading of `table` (not null) in this curve's interpolation mode,
    // so that a block of look-ups decides the mode once.
    template <class Read>
    void WithReading(const double* table, Read read) const;

    void Normalize();

    // High-passed curve (the curve minus its two-way low-pass), or with `emphasise` the curve
    // plus that difference.
    void Filter(bool emphasise);

    // The forward and backward one-pole passes alone.
    void LowPass();

    void BuildEffective();
    // Before a block's look-ups: what ReadTable gives is brought up to date. Copies nothing
    // where the polarity takes every point as it is.
    void PrepareTable();
    // The table that the look-ups of a block read.
    const double* ReadTable() const;

    // Takes the other curve's count, modes, name and all three arrays.
    void CopyFrom(const DistortionCurve& other);

    uint16_t count;
    double lastIndex;
    uint32_t interpolation = kHermiteInterpolation;
    uint32_t polarity = kShapeBothHalves;
    SampleArray points;
    SampleArray alternative;
    SampleArray effective;
    std::string name;

private:
    void Allocate();

    // Room for the copy that Filter keeps, so that no action allocates on the audio thread.
    SampleArray mScratch;
};
