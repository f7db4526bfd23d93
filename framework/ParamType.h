#pragma once

#include <cstdint>

// The kind of a parameter; every kind other than continuous rounds to its step.
enum ParamType : int32_t
{
    kParamTypeNone = 0,
    kParamTypeBool = 1,
    kParamTypeInt = 2,
    kParamTypeList = 3,
    kParamTypeDouble = 4,
};
