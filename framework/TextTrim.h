#pragma once

#include <string>

// Copies of the text without leading (TrimLeft) or trailing (TrimRight) blanks, newlines,
// carriage returns and tabs.
std::string TrimLeft(const std::string& text);
std::string TrimRight(const std::string& text);
