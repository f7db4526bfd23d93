#pragma once

#include "plugin/ParamIndex.h"

// How a change of a parameter is heard. A glide moves through every value between the old
// setting and the new one, each of them a sound; a crossfade blends the unit's output with the
// old setting into its output with the new one, for switches, types, modes and slopes whose
// values in between are no sound. The parameter handler hands a value to its unit by this kind:
// as a target to glide to, or as a setting to crossfade to.
enum class ChangeKind
{
    kGlides,
    kCrossfades,
    // A reserved parameter: stored, but no unit hears it.
    kFeedsNothing,
};

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
    ChangeKind change;
};

// Every parameter runs up to 1 with a linear mapping.
inline constexpr double kParamMaximum = 1.0;
inline constexpr double kParamShape = 1.0;

// The definition of a working parameter (0 to 64); the reserved ones are formatted below.
const ParameterDefinition& GetParameterDefinition(int index);

// For every one of the parameters, the reserved ones included.
ChangeKind ChangeKindOf(int index);

// "Reserved Parameter 00" for index 65 up to "... 19" for index 84.
void FormatReservedParamName(int index, char* out, int size);
// "Reserved_01" for index 65 up to "Reserved_20" for index 84.
void FormatReservedParamKey(int index, char* out, int size);

inline constexpr char kReservedGroup[] = "Reserved Group";
inline constexpr double kReservedDefault = 0.0;
inline constexpr double kReservedMinimum = 0.0;
inline constexpr double kReservedStep = 0.001;
