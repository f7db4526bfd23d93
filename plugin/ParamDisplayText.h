#pragma once

#include <cstdint>

// The texts of the editor's read-outs and tooltips for what the units do now. Each writes at
// most `size` bytes into `out` and allocates nothing.
namespace ParamDisplayText
{
// Every display text fits this; most are far shorter.
constexpr int32_t kTextSize = 256;

// "%2.1fbit": the quantiser's bit depth.
void BitDepth(char* out, int size, double bits);
// "%dHz": the rate the sample-rate reducer keeps of `sampleRate`, never slower than its
// slowest hold allows.
void ReducedRate(char* out, int size, double ratio, double sampleRate);
// "-oodB" while the gate level is 0, else the threshold in dB ("%3.1fdB").
void GateLevel(char* out, int size, double level, double threshold);
// An equaliser gain: signed ("+3.50 dB"), or "0.00 dB" when it rounds to zero.
void Decibels(char* out, int size, double db);
// Filter 1's share, then filter 2's, in percent.
void Balance(char* out, int size, double balance);
// "%.1fHz".
void Frequency(char* out, int size, double hz);
// "%d Hz": the output sweep's frequency, truncated.
void WholeHertz(char* out, int size, double hz);
// "<prefix>: <text>".
void Tooltip(char* out, int size, const char* prefix, const char* text);
// The band the high-quality output filter keeps ("20.0Hz-20000.0Hz"), or "off".
void OutputFilterBand(char* out, int size, uint32_t mode);

const char* ChannelModeName(uint32_t mode);
const char* ShaperWaveformName(uint32_t waveform);
const char* ShaperModeName(uint32_t mode);
const char* TransitionName(int32_t speed);
}
