#pragma once

struct OutputLimiter;

// The output limiter's static curve: unchanged below the knee start, a quadratic knee up to
// the knee end, then the compressed line (m - T) / R + T; odd in x (-0 and NaN count as
// positive).
double SoftKneeCurve(const OutputLimiter& limiter, double x);
