#pragma once
// Opcode, flag and code values of the VST 2.4 host interface.

#include <cstdint>

// 'VstP' with 'V' in the highest byte.
constexpr int32_t kEffectMagic = 0x56737450;
// The plug-in's answer to effIdentify: 'NvEf'.
constexpr int32_t kEffectIdentity = 0x4E764566;
constexpr int32_t kVstVersion = 2400;

enum AEffectOpcodes : int32_t
{
    effOpen = 0,
    effClose = 1,
    effSetProgram = 2,
    effGetProgram = 3,
    effSetProgramName = 4,
    effGetProgramName = 5,
    effGetParamLabel = 6,
    effGetParamDisplay = 7,
    effGetParamName = 8,
    effSetSampleRate = 10,
    effSetBlockSize = 11,
    effMainsChanged = 12,
    effEditGetRect = 13,
    effEditOpen = 14,
    effEditClose = 15,
    effEditIdle = 19,
    effIdentify = 22,
    effGetChunk = 23,
    effSetChunk = 24,
    effProcessEvents = 25,
    effCanBeAutomated = 26,
    effString2Parameter = 27,
    effGetProgramNameIndexed = 29,
    effGetInputProperties = 33,
    effGetOutputProperties = 34,
    effGetPlugCategory = 35,
    effSetSpeakerArrangement = 42,
    effGetEffectName = 45,
    effGetVendorString = 47,
    effGetProductString = 48,
    effGetVendorVersion = 49,
    effVendorSpecific = 50,
    effCanDo = 51,
    effGetTailSize = 52,
    effIdle = 53,
    effGetVstVersion = 58,
    effGetMidiKeyName = 66,
    effGetSpeakerArrangement = 69,
    effStartProcess = 71,
    effStopProcess = 72,
    effSetProcessPrecision = 77,
};

enum AudioMasterOpcodes : int32_t
{
    audioMasterAutomate = 0,
    audioMasterVersion = 1,
    audioMasterCurrentId = 2,
    audioMasterIdle = 3,
    audioMasterWantMidi = 6,
    audioMasterGetTime = 7,
    audioMasterProcessEvents = 8,
    audioMasterIOChanged = 13,
    audioMasterSizeWindow = 15,
    audioMasterGetSampleRate = 16,
    audioMasterGetBlockSize = 17,
    audioMasterGetCurrentProcessLevel = 23,
    audioMasterGetVendorString = 32,
    audioMasterGetProductString = 33,
    audioMasterGetVendorVersion = 34,
    audioMasterCanDo = 37,
    audioMasterUpdateDisplay = 42,
    audioMasterBeginEdit = 43,
    audioMasterEndEdit = 44,
};

enum VstAEffectFlags : int32_t
{
    effFlagsHasEditor = 1 << 0,
    effFlagsCanMono = 1 << 3,
    effFlagsCanReplacing = 1 << 4,
    effFlagsProgramChunks = 1 << 5,
    effFlagsIsSynth = 1 << 8,
    effFlagsCanDoubleReplacing = 1 << 12,
};

enum VstTimeInfoFlags : int32_t
{
    kVstTransportChanged = 1 << 0,
    kVstTransportPlaying = 1 << 1,
    kVstTransportCycleActive = 1 << 2,
    kVstPpqPosValid = 1 << 9,
    kVstTempoValid = 1 << 10,
    kVstBarsValid = 1 << 11,
    kVstCyclePosValid = 1 << 12,
    kVstTimeSigValid = 1 << 13,
};

enum VstEventTypes : int32_t
{
    kVstMidiType = 1,
    kVstSysExType = 6,
};

enum VstProcessLevels : int32_t
{
    kVstProcessLevelUnknown = 0,
    kVstProcessLevelRealtime = 2,
    kVstProcessLevelOffline = 4,
};

enum VstProcessPrecision : int32_t
{
    kVstProcessPrecision32 = 0,
    kVstProcessPrecision64 = 1,
};

enum VstPinPropertiesFlags : int32_t
{
    kVstPinIsActive = 1 << 0,
    kVstPinIsStereo = 1 << 1,
};

enum VstPlugCategory : int32_t
{
    kPlugCategEffect = 1,
    kPlugCategSynth = 2,
};

enum VstSpeakerArrangementType : int32_t
{
    kSpeakerArrUserDefined = -2,
    kSpeakerArrEmpty = -1,
    kSpeakerArrMono = 0,
    kSpeakerArrStereo = 1,
};
