#pragma once

#include "vst3/abi/Vst3Types.h"

namespace Vst3
{
// Windows hosts expect COM's values; elsewhere the interface uses small numbers.
#if defined(_WIN32)
constexpr tresult kNoInterface = static_cast<tresult>(0x80004002u);
constexpr tresult kResultOk = 0;
constexpr tresult kResultFalse = 1;
constexpr tresult kInvalidArgument = static_cast<tresult>(0x80070057u);
constexpr tresult kNotImplemented = static_cast<tresult>(0x80004001u);
constexpr tresult kInternalError = static_cast<tresult>(0x80004005u);
constexpr tresult kNotInitialized = static_cast<tresult>(0x8000FFFFu);
constexpr tresult kOutOfMemory = static_cast<tresult>(0x8007000Eu);
#else
constexpr tresult kNoInterface = -1;
constexpr tresult kResultOk = 0;
constexpr tresult kResultFalse = 1;
constexpr tresult kInvalidArgument = 2;
constexpr tresult kNotImplemented = 3;
constexpr tresult kInternalError = 4;
constexpr tresult kNotInitialized = 5;
constexpr tresult kOutOfMemory = 6;
#endif
constexpr tresult kResultTrue = kResultOk;
}
