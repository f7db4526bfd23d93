#pragma once

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <vector>

// Measures the settled frequency response of a stereo block processor from the
// discrete Fourier transform of its impulse response.
using StereoProcess = std::function<void(double* const* io, int frames)>;

inline std::vector<double> ImpulseResponse(const StereoProcess& process, int length, int blockSize = 256)
{
    std::vector<double> left(length, 0.0);
    std::vector<double> right(length, 0.0);
    left[0] = 1.0;
    right[0] = 1.0;
    for (int start = 0; start < length; start += blockSize)
    {
        double* io[2] = {left.data() + start, right.data() + start};
        process(io, std::min(blockSize, length - start));
    }
    return left;
}

// Magnitude at a frequency in Hz of an impulse response recorded at the given rate.
inline double MagnitudeAt(const std::vector<double>& impulse, double hz, double rate)
{
    const double w = -2.0 * 3.141592653589793 * hz / rate;
    std::complex<double> sum = 0.0;
    for (size_t n = 0; n < impulse.size(); ++n)
        sum += impulse[n] * std::polar(1.0, w * static_cast<double>(n));
    return std::abs(sum);
}

// Runs silence through a processor so that glides and smoothers settle.
inline void Settle(const StereoProcess& process, int frames, int blockSize = 256)
{
    std::vector<double> left(blockSize, 0.0);
    std::vector<double> right(blockSize, 0.0);
    for (int done = 0; done < frames; done += blockSize)
    {
        std::fill(left.begin(), left.end(), 0.0);
        std::fill(right.begin(), right.end(), 0.0);
        double* io[2] = {left.data(), right.data()};
        process(io, blockSize);
    }
}
