#pragma once

#include "vst3/abi/Vst3Types.h"

namespace Vst3
{
// Conversions between the 8-bit texts of the plug-in and the UTF-16 texts of the host
// interface. Bytes widen to the code units of the same value; a code unit above 255 narrows
// to '?'. Both cut the text so that the terminator fits in `capacity` units, and a null text
// converts as "".
void WidenText(const char* text, char16* out, int32 capacity);
void NarrowText(const char16* text, char* out, int32 capacity);
}
