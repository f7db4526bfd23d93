#pragma once

#include "framework/ParamType.h"

#include <cstdint>

class IParameter;

// What an in-place text entry lets through and what its text means for the parameter it edits.

// Backspace always passes; two-state, integer and list parameters take only signs and digits,
// continuous ones also the decimal point; free text (kParamTypeNone) takes everything.
bool TextEntryAcceptsCharacter(ParamType type, uint32_t character);

// The plain value of an entered text: for list and two-state parameters the value of the
// display text it equals (0 when none does), for the others the number it reads as (0 when
// it is none), negated for a parameter that shows its values negated.
double TextEntryValue(const IParameter& param, const char* text);
