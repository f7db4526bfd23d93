#pragma once

#include <cstddef>

// The text of a working parameter's value, one routine for the editor's read-outs and for what
// both bindings show hosts, and the way back from such a text. It formats, so it runs on the UI
// or a host's thread, never the audio thread.
//
// Inexact readings, each within one display step: texts in whole Hz (the sample-rate reducer,
// the output sweep) read back to the middle of their 1 Hz step; a clamped end ("20.0Hz") reads
// back to the value where the clamp begins; the output sweep shows the same "%d Hz" on its
// low-pass and its high-pass side, so a text reads back on the side of the current value.
namespace HostParamText
{
// Writes the text of plain value `v` of parameter `index` at `sampleRate`; false, writing
// nothing, for an index outside the working parameters.
bool Format(int index, double v, double sampleRate, char* out, size_t size);

// The plain value of a text that Format writes for `index` (names and units in any case); a
// bare number only where the text itself is a number on another scale (pan, DC offset). False
// for anything else, which the caller reads as it always did. `current` is the parameter's
// value now.
bool Parse(int index, const char* text, double sampleRate, double current, double* v);
}
