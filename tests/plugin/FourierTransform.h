#pragma once

#include <complex>
#include <vector>

// The discrete Fourier transform in place: iterative radix 2, so the size is a power of two.
void FourierTransform(std::vector<std::complex<double>>& data);
