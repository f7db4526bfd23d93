#pragma once

#include <cstdint>

// Display text of an interpolation mode of a transfer curve; "[unknown interpolation]" above 4.
const char* GetInterpolationName(uint32_t mode);
