#pragma once

#include <cstdint>

// Menu label of a curve action: 0..19, "No Disto Action" for 20, "Undefined Disto Curve Action"
// for any other value.
const char* GetCurveActionName(int32_t action);
