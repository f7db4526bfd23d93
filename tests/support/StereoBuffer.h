#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// Two owned channels and the channel-pointer pair that the units take.
struct StereoBuffer
{
    explicit StereoBuffer(int32_t frames, double value = 0.0)
        : left(static_cast<size_t>(frames), value), right(static_cast<size_t>(frames), value)
    {
    }

    StereoBuffer(std::vector<double> l, std::vector<double> r) : left(std::move(l)), right(std::move(r)) {}

    double* const* Io()
    {
        pointers[0] = left.data();
        pointers[1] = right.data();
        return pointers;
    }

    const double* const* In()
    {
        constPointers[0] = left.data();
        constPointers[1] = right.data();
        return constPointers;
    }

    int32_t Frames() const { return static_cast<int32_t>(left.size()); }

    std::vector<double> left;
    std::vector<double> right;

private:
    double* pointers[2] = {};
    const double* constPointers[2] = {};
};
