#pragma once

#include "plugin/ParamIndex.h"

// One parameter as hosts and programs see it: what the base's parameter record gets, and
// the key under which program text files store it.
struct ParameterDefinition
{
    const char* name;
    const char* group;
    const char* label;
    double defaultValue;
    double minimum;
    double step;
    const char* fileKey;
};

// Every parameter runs up to 1 with a linear mapping.
inline constexpr double kParamMaximum = 1.0;
inline constexpr double kParamShape = 1.0;

// The definition of a working parameter (0 to 64); the reserved ones are formatted below.
const ParameterDefinition& GetParameterDefinition(int index);

// "Reserved Parameter 00" for index 65 up to "... 19" for index 84.
void FormatReservedParamName(int index, char* out, int size);
// "Reserved_01" for index 65 up to "Reserved_20" for index 84.
void FormatReservedParamKey(int index, char* out, int size);

inline constexpr char kReservedGroup[] = "Reserved Group";
inline constexpr double kReservedDefault = 0.0;
inline constexpr double kReservedMinimum = 0.0;
inline constexpr double kReservedStep = 0.001;
