#pragma once

#include "vst3/abi/ProcessContext.h"
#include "vst3/abi/Vst3Types.h"

#include <cstddef>

namespace Vst3
{
class IEventList;
class IParameterChanges;

// The channels of one bus; which pointer of the union is valid follows the sample size.
struct AudioBusBuffers
{
    int32 numChannels;
    uint64 silenceFlags;
    union
    {
        float** channelBuffers32;
        double** channelBuffers64;
    };
};

struct ProcessData
{
    int32 processMode;
    int32 symbolicSampleSize;
    int32 numSamples;
    int32 numInputs;
    int32 numOutputs;
    AudioBusBuffers* inputs;
    AudioBusBuffers* outputs;
    IParameterChanges* inputParameterChanges;
    IParameterChanges* outputParameterChanges;
    IEventList* inputEvents;
    IEventList* outputEvents;
    ProcessContext* processContext;
};

static_assert(sizeof(AudioBusBuffers) == 24);
static_assert(offsetof(AudioBusBuffers, silenceFlags) == 8);
static_assert(offsetof(AudioBusBuffers, channelBuffers32) == 16);
static_assert(sizeof(ProcessData) == 80);
static_assert(offsetof(ProcessData, inputs) == 24);
static_assert(offsetof(ProcessData, outputs) == 32);
static_assert(offsetof(ProcessData, inputParameterChanges) == 40);
static_assert(offsetof(ProcessData, outputParameterChanges) == 48);
static_assert(offsetof(ProcessData, inputEvents) == 56);
static_assert(offsetof(ProcessData, outputEvents) == 64);
static_assert(offsetof(ProcessData, processContext) == 72);
}
