#include "tests/plugin/FourierTransform.h"

#include <numbers>
#include <utility>

void FourierTransform(std::vector<std::complex<double>>& data)
{
    const size_t n = data.size();
    for (size_t i = 1, j = 0; i < n; ++i)
    {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(data[i], data[j]);
    }
    for (size_t length = 2; length <= n; length <<= 1)
    {
        const std::complex<double> step = std::polar(1.0, -2.0 * std::numbers::pi / static_cast<double>(length));
        for (size_t start = 0; start < n; start += length)
        {
            std::complex<double> w = 1.0;
            for (size_t k = 0; k < length / 2; ++k)
            {
                const std::complex<double> even = data[start + k];
                const std::complex<double> odd = data[start + k + length / 2] * w;
                data[start + k] = even + odd;
                data[start + k + length / 2] = even - odd;
                w *= step;
            }
        }
    }
}
