#pragma once
// The host's own view of the VST3 binary interface, written from the published facts and
// independently of the plug-in's declarations: objects are pointers to a pointer to a table
// of plain functions that take the object first. x64 only (there the platforms' member
// calling conventions are those of plain functions).

#include <cstddef>
#include <cstdint>

static_assert(sizeof(void*) == 8, "the tables assume the x64 calling conventions");

using ComResult = int32_t;

// Windows hosts get COM's codes; elsewhere the interface uses small numbers.
#if defined(_WIN32)
constexpr ComResult kComOk = 0;
constexpr ComResult kComFalse = 1;
constexpr ComResult kComNoInterface = static_cast<ComResult>(0x80004002u);
constexpr ComResult kComNotImplemented = static_cast<ComResult>(0x80004001u);
#else
constexpr ComResult kComOk = 0;
constexpr ComResult kComFalse = 1;
constexpr ComResult kComNoInterface = -1;
constexpr ComResult kComNotImplemented = 3;
#endif

using Utf16Name = char16_t[128];

struct FactoryInfoRecord
{
    char vendor[64];
    char url[256];
    char email[128];
    int32_t flags;
};
static_assert(sizeof(FactoryInfoRecord) == 452);

struct ClassInfoRecord
{
    uint8_t cid[16];
    int32_t cardinality;
    char category[32];
    char name[64];
};
static_assert(sizeof(ClassInfoRecord) == 116);

struct ClassInfo2Record
{
    uint8_t cid[16];
    int32_t cardinality;
    char category[32];
    char name[64];
    uint32_t classFlags;
    char subCategories[128];
    char vendor[64];
    char version[64];
    char sdkVersion[64];
};
static_assert(sizeof(ClassInfo2Record) == 440);

struct ClassInfoWRecord
{
    uint8_t cid[16];
    int32_t cardinality;
    char category[32];
    char16_t name[64];
    uint32_t classFlags;
    char subCategories[128];
    char16_t vendor[64];
    char16_t version[64];
    char16_t sdkVersion[64];
};
static_assert(sizeof(ClassInfoWRecord) == 696);

struct BusInfoRecord
{
    int32_t mediaType;
    int32_t direction;
    int32_t channelCount;
    Utf16Name name;
    int32_t busType;
    uint32_t flags;
};
static_assert(sizeof(BusInfoRecord) == 276);

struct ParamInfoRecord
{
    uint32_t id;
    Utf16Name title;
    Utf16Name shortTitle;
    Utf16Name units;
    int32_t stepCount;
    double defaultNormalizedValue;
    int32_t unitId;
    int32_t flags;
};
static_assert(sizeof(ParamInfoRecord) == 792);
static_assert(offsetof(ParamInfoRecord, defaultNormalizedValue) == 776);

struct UnitInfoRecord
{
    int32_t id;
    int32_t parentUnitId;
    Utf16Name name;
    int32_t programListId;
};
static_assert(sizeof(UnitInfoRecord) == 268);

struct ProgramListRecord
{
    int32_t id;
    Utf16Name name;
    int32_t programCount;
};
static_assert(sizeof(ProgramListRecord) == 264);

struct ProcessSetupRecord
{
    int32_t processMode;
    int32_t symbolicSampleSize;
    int32_t maxSamplesPerBlock;
    double sampleRate;
};
static_assert(sizeof(ProcessSetupRecord) == 24);

struct BusBuffersRecord
{
    int32_t numChannels;
    uint64_t silenceFlags;
    void** channelBuffers;  // float** or double**, by the sample size
};
static_assert(sizeof(BusBuffersRecord) == 24);

struct ProcessContextRecord
{
    uint32_t state;
    double sampleRate;
    int64_t projectTimeSamples;
    int64_t systemTime;
    int64_t continuousTimeSamples;
    double projectTimeMusic;
    double barPositionMusic;
    double cycleStartMusic;
    double cycleEndMusic;
    double tempo;
    int32_t timeSigNumerator;
    int32_t timeSigDenominator;
    uint8_t chordBytes[4];
    int32_t smpteOffsetSubframes;
    uint32_t frameRate[2];
    int32_t samplesToNextClock;
};
static_assert(sizeof(ProcessContextRecord) == 112);
static_assert(offsetof(ProcessContextRecord, tempo) == 72);
static_assert(offsetof(ProcessContextRecord, samplesToNextClock) == 104);

struct ProcessDataRecord
{
    int32_t processMode;
    int32_t symbolicSampleSize;
    int32_t numSamples;
    int32_t numInputs;
    int32_t numOutputs;
    BusBuffersRecord* inputs;
    BusBuffersRecord* outputs;
    void* inputParameterChanges;
    void* outputParameterChanges;
    void* inputEvents;
    void* outputEvents;
    ProcessContextRecord* processContext;
};
static_assert(sizeof(ProcessDataRecord) == 80);
static_assert(offsetof(ProcessDataRecord, inputs) == 24);
static_assert(offsetof(ProcessDataRecord, processContext) == 72);

// Constants of the interface that this host uses.
constexpr int32_t kAudioMedia = 0;
constexpr int32_t kInputDirection = 0;
constexpr int32_t kOutputDirection = 1;
constexpr int32_t kRealtimeMode = 0;
constexpr int32_t kSample32 = 0;
constexpr int32_t kSample64 = 1;
constexpr int32_t kUnicodeFactory = 16;
constexpr char kEffectCategory[] = "Audio Module Class";
constexpr uint64_t kStereoSpeakers = 3;
constexpr uint32_t kContextTempoValid = 0x400;
constexpr uint32_t kContextTimeSigValid = 0x2000;
