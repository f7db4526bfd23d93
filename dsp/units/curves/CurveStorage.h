#pragma once

#include "framework/SampleArray.h"

#include <cstdint>
#include <vector>

// Read-only tables that many curves read at once: the points, and the tables that the
// polarity modes read in their place, each built once. Nothing writes them after they are built.
struct SharedCurveTables
{
    uint16_t count = 0;
    std::vector<double> points;
    // The points with the half below zero (first count / 2) taken from the identity ramp, and
    // with the half at and above zero taken from it.
    std::vector<double> linearBelowZero;
    std::vector<double> linearAboveZero;
    // The identity ramp of `count` points: the alternative points of every curve.
    const double* identity = nullptr;

    // Fills the tables from `values` (count of them, non-finite ones becoming 0, all clamped
    // to -1..1) and the identity ramp of the same count.
    void Build(const double* values, uint16_t pointCount, const double* identityRamp);
};

// The arrays of a curve that holds points of its own.
struct CurveArrays
{
    SampleArray points;
    SampleArray alternative;
    SampleArray effective;
    // Room for the copy that Filter keeps, so that no action allocates on the audio thread.
    SampleArray scratch;

    // Zeroed arrays of `count` points.
    static CurveArrays Sized(uint16_t count);
    bool Holds() const { return points.data != nullptr; }
};
