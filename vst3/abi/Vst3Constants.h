#pragma once

#include "vst3/abi/Vst3Types.h"

namespace Vst3
{
// Buses.
constexpr int32 kMediaTypeAudio = 0;
constexpr int32 kMediaTypeEvent = 1;
constexpr int32 kDirectionInput = 0;
constexpr int32 kDirectionOutput = 1;
constexpr int32 kBusTypeMain = 0;
constexpr int32 kBusTypeAux = 1;
constexpr uint32 kBusFlagDefaultActive = 1;

// Processing.
constexpr int32 kProcessModeRealtime = 0;
constexpr int32 kProcessModePrefetch = 1;
constexpr int32 kProcessModeOffline = 2;
constexpr int32 kSampleSize32 = 0;
constexpr int32 kSampleSize64 = 1;

// Streams.
constexpr int32 kSeekSet = 0;
constexpr int32 kSeekCurrent = 1;
constexpr int32 kSeekEnd = 2;

// Parameter flags.
constexpr int32 kParamCanAutomate = 1;
constexpr int32 kParamIsReadOnly = 2;
constexpr int32 kParamIsWrapAround = 4;
constexpr int32 kParamIsList = 8;
constexpr int32 kParamIsProgramChange = 0x8000;
constexpr int32 kParamIsBypass = 0x10000;

// Restart requests to the component handler.
constexpr int32 kRestartReloadComponent = 1;
constexpr int32 kRestartIoChanged = 2;
constexpr int32 kRestartParamValuesChanged = 4;
constexpr int32 kRestartLatencyChanged = 8;
constexpr int32 kRestartParamTitlesChanged = 0x10;

// Units and program lists.
constexpr int32 kRootUnitId = 0;
constexpr int32 kNoParentUnitId = -1;
constexpr int32 kNoProgramListId = -1;

// Process-context state bits.
constexpr uint32 kContextPlaying = 2;
constexpr uint32 kContextCycleActive = 4;
constexpr uint32 kContextRecording = 8;
constexpr uint32 kContextProjectTimeMusicValid = 0x200;
constexpr uint32 kContextTempoValid = 0x400;
constexpr uint32 kContextBarPositionValid = 0x800;
constexpr uint32 kContextCycleValid = 0x1000;
constexpr uint32 kContextTimeSigValid = 0x2000;

// Speakers and arrangements.
constexpr SpeakerArrangement kSpeakerL = 1;
constexpr SpeakerArrangement kSpeakerR = 2;
constexpr SpeakerArrangement kSpeakerC = 4;
constexpr SpeakerArrangement kSpeakerLfe = 8;
constexpr SpeakerArrangement kSpeakerLs = 0x10;
constexpr SpeakerArrangement kSpeakerRs = 0x20;
constexpr SpeakerArrangement kSpeakerCs = 0x100;
constexpr SpeakerArrangement kSpeakerM = 0x80000;
constexpr SpeakerArrangement kArrangementEmpty = 0;
constexpr SpeakerArrangement kArrangementMono = kSpeakerM;
constexpr SpeakerArrangement kArrangementStereo = kSpeakerL | kSpeakerR;

// Factory flags, cardinality and the class category of an audio effect.
constexpr int32 kFactoryUnicode = 16;
constexpr int32 kManyInstances = 0x7FFFFFFF;
constexpr char kAudioEffectClass[] = "Audio Module Class";
}
