#pragma once

#include <cstdint>

// Reads the character at `position` of a UTF-8 text of `length` bytes and moves past it.
// Valid 2- and 3-byte sequences give their code point, a valid 4-byte sequence (outside the
// fonts' range) gives a space, and a byte that starts no valid sequence is its own code.
uint32_t NextUtf8Code(const char* text, int32_t length, int32_t& position);
