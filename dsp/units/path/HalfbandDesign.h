#pragma once

#include <span>

// Coefficients of an elliptic half-band low-pass made of two chains of first-order all-pass
// sections in z^-2: H(z) = (A0(z^2) + z^-1 A1(z^2)) / 2, where A0 takes the coefficients at
// even positions and A1 those at odd positions. `transition` is the width of the band between
// pass band and stop band as a fraction of the rate the filter runs at; the band is centred
// on a quarter of that rate. The coefficients come out in ascending order.
void DesignHalfband(double transition, std::span<double> coefficients);
