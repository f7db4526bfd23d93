#pragma once

#include <cstdint>
#include <string>

// "01: Linear" for shape 0: the shape's number from 1, two digits at least, and its name.
std::string FormatShapeLabel(uint32_t index);
