#pragma once

#include "vst3/abi/Vst3Types.h"

#include <cstddef>

namespace Vst3
{
struct Chord
{
    uint8_t keyNote;
    uint8_t rootNote;
    int16 chordMask;
};

struct FrameRate
{
    uint32 framesPerSecond;
    uint32 flags;
};

// Transport and time of one process call; the state bits say which fields are valid.
struct ProcessContext
{
    uint32 state;
    double sampleRate;
    int64 projectTimeSamples;
    int64 systemTime;
    int64 continousTimeSamples;
    double projectTimeMusic;
    double barPositionMusic;
    double cycleStartMusic;
    double cycleEndMusic;
    double tempo;
    int32 timeSigNumerator;
    int32 timeSigDenominator;
    Chord chord;
    int32 smpteOffsetSubframes;
    FrameRate frameRate;
    int32 samplesToNextClock;
};

static_assert(sizeof(ProcessContext) == 112);
static_assert(offsetof(ProcessContext, sampleRate) == 8);
static_assert(offsetof(ProcessContext, projectTimeMusic) == 40);
static_assert(offsetof(ProcessContext, tempo) == 72);
static_assert(offsetof(ProcessContext, timeSigNumerator) == 80);
static_assert(offsetof(ProcessContext, chord) == 88);
static_assert(offsetof(ProcessContext, smpteOffsetSubframes) == 92);
static_assert(offsetof(ProcessContext, frameRate) == 96);
static_assert(offsetof(ProcessContext, samplesToNextClock) == 104);
}
