#pragma once

#include <string>
#include <string_view>

// One "key = value;" line of a program text file. Numbers are written and read without regard
// to the C locale: the decimal point is always ".".

// Appends "key = value;" and a line break.
void AppendSettingLine(std::string& text, std::string_view key, std::string_view value);

// The number as printf's "%g" prints it in the C locale (six significant digits).
std::string FormatSettingNumber(double value);

// The text from just after the first " = " to the end of the line without its last character
// (the ';' of a well-formed line); empty unless the line holds " = " followed by at least two
// characters, and a ';'.
std::string ParseLineString(std::string_view line);

// The leading number of ParseLineString, as atof reads it in the C locale; 0 when there is none.
double ParseLineNumber(std::string_view line);
