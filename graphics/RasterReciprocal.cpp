#include "graphics/RasterPixel.h"

#include <cstddef>

namespace
{
constexpr std::array<uint16_t, 256> MakeReciprocals()
{
    std::array<uint16_t, 256> table{};
    for (int i = 1; i < 256; ++i)
        table[static_cast<std::size_t>(i)] = static_cast<uint16_t>(65536 / i - 1);
    return table;
}
}

constinit const std::array<uint16_t, 256> RasterReciprocal = MakeReciprocals();
static_assert(MakeReciprocals()[1] == 65535 && MakeReciprocals()[2] == 32767 && MakeReciprocals()[255] == 256);
