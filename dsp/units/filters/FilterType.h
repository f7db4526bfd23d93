#pragma once

// Filter types 0..30 of the dual filter unit. The numbers are stored in programs and
// presets (as type / 30) and must never be reordered.
constexpr int kFilterTypeCount = 31;

constexpr int kFilterTypeStateVariableLowPass = 5;
constexpr int kFilterTypeStateVariableHighPass = 6;
constexpr int kFilterTypeStateVariableBandPass = 7;
constexpr int kFilterTypeStateVariableBandStop = 8;

// The long name of a type, "" for any other value.
const char* GetFilterTypeName(int type);
// The short name of a type, "" for any other value.
const char* GetFilterTypeShortName(int type);
// The type of a stored name (long names and older aliases, case-sensitive); 0 when none matches.
int ParseFilterType(const char* name);
