#pragma once
// The function tables of the interfaces this host calls or implements, slot by slot in the
// published order. Every table starts with the three slots of the root interface.

#include "tools/vst3host/ComTypes.h"

#include <cstdint>

struct UnknownSlots
{
    ComResult (*queryInterface)(void* self, const uint8_t* interfaceId, void** object);
    uint32_t (*addRef)(void* self);
    uint32_t (*release)(void* self);
};

struct PluginFactoryTable
{
    UnknownSlots unknown;
    ComResult (*getFactoryInfo)(void* self, FactoryInfoRecord* info);
    int32_t (*countClasses)(void* self);
    ComResult (*getClassInfo)(void* self, int32_t index, ClassInfoRecord* info);
    ComResult (*createInstance)(void* self, const uint8_t* cid, const uint8_t* interfaceId, void** object);
    ComResult (*getClassInfo2)(void* self, int32_t index, ClassInfo2Record* info);
    ComResult (*getClassInfoUnicode)(void* self, int32_t index, ClassInfoWRecord* info);
    ComResult (*setHostContext)(void* self, void* context);
};

struct ComponentTable
{
    UnknownSlots unknown;
    ComResult (*initialize)(void* self, void* context);
    ComResult (*terminate)(void* self);
    ComResult (*getControllerClassId)(void* self, uint8_t* classId);
    ComResult (*setIoMode)(void* self, int32_t mode);
    int32_t (*getBusCount)(void* self, int32_t type, int32_t direction);
    ComResult (*getBusInfo)(void* self, int32_t type, int32_t direction, int32_t index, BusInfoRecord* bus);
    ComResult (*getRoutingInfo)(void* self, void* input, void* output);
    ComResult (*activateBus)(void* self, int32_t type, int32_t direction, int32_t index, uint8_t state);
    ComResult (*setActive)(void* self, uint8_t state);
    ComResult (*setState)(void* self, void* stream);
    ComResult (*getState)(void* self, void* stream);
};

struct AudioProcessorTable
{
    UnknownSlots unknown;
    ComResult (*setBusArrangements)(void* self, uint64_t* inputs, int32_t inputCount, uint64_t* outputs,
                                    int32_t outputCount);
    ComResult (*getBusArrangement)(void* self, int32_t direction, int32_t index, uint64_t* arrangement);
    ComResult (*canProcessSampleSize)(void* self, int32_t size);
    uint32_t (*getLatencySamples)(void* self);
    ComResult (*setupProcessing)(void* self, ProcessSetupRecord* setup);
    ComResult (*setProcessing)(void* self, uint8_t state);
    ComResult (*process)(void* self, ProcessDataRecord* data);
    uint32_t (*getTailSamples)(void* self);
};

struct EditControllerTable
{
    UnknownSlots unknown;
    ComResult (*initialize)(void* self, void* context);
    ComResult (*terminate)(void* self);
    ComResult (*setComponentState)(void* self, void* stream);
    ComResult (*setState)(void* self, void* stream);
    ComResult (*getState)(void* self, void* stream);
    int32_t (*getParameterCount)(void* self);
    ComResult (*getParameterInfo)(void* self, int32_t index, ParamInfoRecord* info);
    ComResult (*getParamStringByValue)(void* self, uint32_t id, double value, char16_t* text);
    ComResult (*getParamValueByString)(void* self, uint32_t id, char16_t* text, double* value);
    double (*normalizedParamToPlain)(void* self, uint32_t id, double value);
    double (*plainParamToNormalized)(void* self, uint32_t id, double value);
    double (*getParamNormalized)(void* self, uint32_t id);
    ComResult (*setParamNormalized)(void* self, uint32_t id, double value);
    ComResult (*setComponentHandler)(void* self, void* handler);
    void* (*createView)(void* self, const char* name);
};

struct UnitInfoTable
{
    UnknownSlots unknown;
    int32_t (*getUnitCount)(void* self);
    ComResult (*getUnitInfo)(void* self, int32_t index, UnitInfoRecord* info);
    int32_t (*getProgramListCount)(void* self);
    ComResult (*getProgramListInfo)(void* self, int32_t index, ProgramListRecord* info);
    ComResult (*getProgramName)(void* self, int32_t listId, int32_t index, char16_t* name);
    ComResult (*getProgramInfo)(void* self, int32_t listId, int32_t index, const char* attribute, char16_t* value);
    ComResult (*hasProgramPitchNames)(void* self, int32_t listId, int32_t index);
    ComResult (*getProgramPitchName)(void* self, int32_t listId, int32_t index, int16_t pitch, char16_t* name);
    int32_t (*getSelectedUnit)(void* self);
    ComResult (*selectUnit)(void* self, int32_t unitId);
    ComResult (*getUnitByBus)(void* self, int32_t type, int32_t direction, int32_t bus, int32_t channel,
                              int32_t* unitId);
    ComResult (*setUnitProgramData)(void* self, int32_t listOrUnitId, int32_t index, void* data);
};

struct ViewRectRecord
{
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};
static_assert(sizeof(ViewRectRecord) == 16);

struct PlugViewTable
{
    UnknownSlots unknown;
    ComResult (*isPlatformTypeSupported)(void* self, const char* type);
    ComResult (*attached)(void* self, void* parent, const char* type);
    ComResult (*removed)(void* self);
    ComResult (*onWheel)(void* self, float distance);
    ComResult (*onKeyDown)(void* self, char16_t key, int16_t keyCode, int16_t modifiers);
    ComResult (*onKeyUp)(void* self, char16_t key, int16_t keyCode, int16_t modifiers);
    ComResult (*getSize)(void* self, ViewRectRecord* size);
    ComResult (*onSize)(void* self, ViewRectRecord* newSize);
    ComResult (*onFocus)(void* self, uint8_t state);
    ComResult (*setFrame)(void* self, void* frame);
    ComResult (*canResize)(void* self);
    ComResult (*checkSizeConstraint)(void* self, ViewRectRecord* rect);
};

// Host side: the tables of the objects this host hands to the plug-in.
struct HostApplicationTable
{
    UnknownSlots unknown;
    ComResult (*getName)(void* self, char16_t* name);
    ComResult (*createInstance)(void* self, uint8_t* cid, uint8_t* interfaceId, void** object);
};

struct ComponentHandlerTable
{
    UnknownSlots unknown;
    ComResult (*beginEdit)(void* self, uint32_t id);
    ComResult (*performEdit)(void* self, uint32_t id, double value);
    ComResult (*endEdit)(void* self, uint32_t id);
    ComResult (*restartComponent)(void* self, int32_t flags);
};

struct RunLoopTable
{
    UnknownSlots unknown;
    ComResult (*registerEventHandler)(void* self, void* handler, int fileDescriptor);
    ComResult (*unregisterEventHandler)(void* self, void* handler);
    ComResult (*registerTimer)(void* self, void* handler, uint64_t milliseconds);
    ComResult (*unregisterTimer)(void* self, void* handler);
};

struct TimerHandlerTable
{
    UnknownSlots unknown;
    void (*onTimer)(void* self);
};

struct PlugFrameTable
{
    UnknownSlots unknown;
    ComResult (*resizeView)(void* self, void* view, ViewRectRecord* newSize);
};

struct StreamTable
{
    UnknownSlots unknown;
    ComResult (*read)(void* self, void* buffer, int32_t count, int32_t* bytesRead);
    ComResult (*write)(void* self, void* buffer, int32_t count, int32_t* bytesWritten);
    ComResult (*seek)(void* self, int64_t position, int32_t mode, int64_t* result);
    ComResult (*tell)(void* self, int64_t* position);
};

struct ParamQueueTable
{
    UnknownSlots unknown;
    uint32_t (*getParameterId)(void* self);
    int32_t (*getPointCount)(void* self);
    ComResult (*getPoint)(void* self, int32_t index, int32_t* sampleOffset, double* value);
    ComResult (*addPoint)(void* self, int32_t sampleOffset, double value, int32_t* index);
};

struct ParamChangesTable
{
    UnknownSlots unknown;
    int32_t (*getParameterCount)(void* self);
    void* (*getParameterData)(void* self, int32_t index);
    void* (*addParameterData)(void* self, const uint32_t* id, int32_t* index);
};

// The table of an object: the pointer stored at its start.
template <class Table>
const Table& TableOf(void* object)
{
    return **static_cast<const Table* const*>(object);
}
