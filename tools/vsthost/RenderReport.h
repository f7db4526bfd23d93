#pragma once
// What both hosts print about each rendering: its levels and whether it passed its input through.
// Every line starts with the rendering's label, padded to labelWidth.

#include "tools/vsthost/AudioBuffer.h"

#include <cstdio>
#include <string>

namespace RenderReport
{
void PrintLevels(const char* label, int labelWidth, const AudioBuffer& output, std::FILE* out);

// Empty, after saying so, when every channel of output is its input bit for bit; else why not.
std::string CheckPassThrough(const char* label, int labelWidth, const AudioBuffer& input, const AudioBuffer& output,
                             std::FILE* out);
}
