#pragma once

#include <string>
#include <string_view>

// Number text of curve files, independent of the C locale: "." is always the decimal point.

// Fixed notation with the given number of decimals, as printf's "%.*f" in the C locale
// (a negative zero keeps its sign).
std::string FormatFixed(double value, int decimals);
void AppendFixed(std::string& text, double value, int decimals);

// The longest number at the start of the text after leading white space, as strtod reads it
// in the C locale (signs, decimals, exponents, hexadecimal, inf and nan); 0 when there is none.
// A value beyond the double range also gives 0: curves store non-finite values as 0 anyway.
double ParseCurveNumber(std::string_view text);
