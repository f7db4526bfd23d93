#pragma once

#include <cstddef>

// Copies a zero-terminated text into a fixed buffer of `size` bytes, cutting it so
// that the terminator always fits. A null text copies as "".
void BoundedCopy(char* destination, const char* text, size_t size);
