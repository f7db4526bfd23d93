#pragma once

#include "dsp/units/curves/CurveStorage.h"

#include <cstdint>
#include <string>
#include <vector>

// A transfer function y = f(x) sampled at `count` evenly spaced inputs from -1 to +1.
// Processing reads the points themselves, or where the polarity mode takes one half from
// the alternative points (always the identity ramp), the effective points built from both.
// A curve either holds arrays of its own or reads shared tables that never change (a built-in
// curve no one has edited); it changes only while it holds its own.
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

    // Arrays of its own holding the identity ramp.
    explicit DistortionCurve(uint16_t pointCount);
    // Reads `shared`, which must outlive it or the next Share.
    explicit DistortionCurve(const SharedCurveTables& shared);
    DistortionCurve(const DistortionCurve&) = delete;
    DistortionCurve& operator=(const DistortionCurve&) = delete;

    const double* Points() const;
    const double* Alternative() const;
    const double* Effective() const;
    // The arrays it holds, and their points; null while the curve reads shared tables.
    CurveArrays* OwnArrays();
    double* EditablePoints();

    bool Shares() const { return mShared != nullptr; }
    // The tables it reads; null while it holds arrays of its own.
    const SharedCurveTables* SharedTables() const { return mShared; }
    // Reads `shared` from now on and hands back the arrays it held (none if it shared).
    [[nodiscard]] CurveArrays Share(const SharedCurveTables& shared);
    // A sharing curve takes `arrays` (sized to its count) as its own, with what it reads now
    // copied into them.
    void Own(CurveArrays&& arrays);
    // Takes `arrays` (sized to its count) as its own, with the points they hold.
    void Adopt(CurveArrays&& arrays);

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
    // where the polarity takes every point as it is, or where the curve reads shared tables.
    void PrepareTable();
    // The table that the look-ups of a block read.
    const double* ReadTable() const;

    // Takes the other curve's count, modes, name and all three arrays; a sharing curve takes
    // them only from another sharing curve, whose tables it then reads.
    void CopyFrom(const DistortionCurve& other);

    uint16_t count;
    double lastIndex;
    uint32_t interpolation = kHermiteInterpolation;
    uint32_t polarity = kShapeBothHalves;
    std::string name;

private:
    void Allocate();

    CurveArrays mOwn;
    const SharedCurveTables* mShared = nullptr;
};
