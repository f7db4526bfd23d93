#include "vst3/base/EffectComponent.h"

#include "vst3/abi/ResultCodes.h"
#include "vst3/abi/Vst3Constants.h"
#include "vst3/base/Utf16Text.h"

#include <cstring>

namespace Vst3
{
namespace
{
constexpr char kClassName[] = "SingleComponentEffect";
// The names of the roles this one object plays.
constexpr const char* kBaseNames[] = {kClassName, "EditControllerEx1", "EditController", "ComponentBase"};

const AudioBus* BusAt(const std::vector<AudioBus>& buses, int32 index)
{
    if (index < 0 || index >= static_cast<int32>(buses.size()))
        return nullptr;
    return &buses[static_cast<size_t>(index)];
}

bool AppendBus(std::vector<AudioBus>& buses, const char* name, SpeakerArrangement arrangement, int32 busType)
{
    AudioBus bus{};
    WidenText(name, bus.name, kString128Size);
    bus.busType = busType;
    bus.arrangement = arrangement;
    bus.flags = kBusFlagDefaultActive;
    bus.active = false;
    try
    {
        buses.push_back(bus);
        return true;
    }
    catch (...)
    {
        return false;
    }
}
}

EffectComponent::EffectComponent() = default;

EffectComponent::~EffectComponent()
{
    if (mComponentHandler)
        mComponentHandler->release();
    if (mHostContext)
        mHostContext->release();
}

void* EffectComponent::FindInterface(const char* interfaceId)
{
    if (FUnknown::kIid.Matches(interfaceId))
        return Unknown();
    if (ILifecycle::kIid.Matches(interfaceId))
        return static_cast<ILifecycle*>(static_cast<IComponent*>(this));
    if (IComponent::kIid.Matches(interfaceId))
        return static_cast<IComponent*>(this);
    if (IAudioProcessor::kIid.Matches(interfaceId))
        return static_cast<IAudioProcessor*>(this);
    if (IEditController::kIid.Matches(interfaceId))
        return static_cast<IEditController*>(this);
    if (IEditController2::kIid.Matches(interfaceId))
        return static_cast<IEditController2*>(this);
    if (IUnitInfo::kIid.Matches(interfaceId))
        return static_cast<IUnitInfo*>(this);
    if (IConnectionPoint::kIid.Matches(interfaceId))
        return static_cast<IConnectionPoint*>(this);
    return nullptr;
}

tresult PLUGIN_API EffectComponent::queryInterface(const TUID interfaceId, void** object)
{
    if (!object)
        return kInvalidArgument;
    *object = FindInterface(interfaceId);
    if (!*object)
        return kNoInterface;
    AddReference();
    return kResultOk;
}

uint32 PLUGIN_API EffectComponent::addRef()
{
    return AddReference();
}

uint32 PLUGIN_API EffectComponent::release()
{
    return ReleaseReference();
}

tresult PLUGIN_API EffectComponent::initialize(FUnknown* context)
{
    if (mInitialized)
        return kResultFalse;
    mInitialized = true;
    mHostContext = context;
    if (mHostContext)
        mHostContext->addRef();
    return kResultOk;
}

tresult PLUGIN_API EffectComponent::terminate()
{
    mParameters.RemoveAll();
    mInputBuses.clear();
    mOutputBuses.clear();
    if (mComponentHandler)
        mComponentHandler->release();
    mComponentHandler = nullptr;
    if (mHostContext)
        mHostContext->release();
    mHostContext = nullptr;
    mInitialized = false;
    return kResultOk;
}

tresult PLUGIN_API EffectComponent::getControllerClassId(TUID)
{
    return kNotImplemented;
}

tresult PLUGIN_API EffectComponent::setIoMode(int32)
{
    return kNotImplemented;
}

std::vector<AudioBus>* EffectComponent::Buses(int32 type, int32 direction)
{
    if (type != kMediaTypeAudio)
        return nullptr;
    if (direction == kDirectionInput)
        return &mInputBuses;
    if (direction == kDirectionOutput)
        return &mOutputBuses;
    return nullptr;
}

int32 PLUGIN_API EffectComponent::getBusCount(int32 type, int32 direction)
{
    const std::vector<AudioBus>* buses = Buses(type, direction);
    return buses ? static_cast<int32>(buses->size()) : 0;
}

tresult PLUGIN_API EffectComponent::getBusInfo(int32 type, int32 direction, int32 index, BusInfo& bus)
{
    const std::vector<AudioBus>* buses = Buses(type, direction);
    const AudioBus* found = buses ? BusAt(*buses, index) : nullptr;
    if (!found)
        return kInvalidArgument;
    bus = BusInfo{};
    bus.mediaType = type;
    bus.direction = direction;
    bus.channelCount = found->ChannelCount();
    std::memcpy(bus.name, found->name, sizeof bus.name);
    bus.busType = found->busType;
    bus.flags = found->flags;
    return kResultOk;
}

tresult PLUGIN_API EffectComponent::getRoutingInfo(RoutingInfo&, RoutingInfo&)
{
    return kNotImplemented;
}

tresult PLUGIN_API EffectComponent::activateBus(int32 type, int32 direction, int32 index, TBool state)
{
    std::vector<AudioBus>* buses = Buses(type, direction);
    if (!buses || index < 0 || index >= static_cast<int32>(buses->size()))
        return kInvalidArgument;
    (*buses)[static_cast<size_t>(index)].active = state != 0;
    return kResultOk;
}

tresult PLUGIN_API EffectComponent::getBusArrangement(int32 direction, int32 index, SpeakerArrangement& arrangement)
{
    const std::vector<AudioBus>* buses = Buses(kMediaTypeAudio, direction);
    const AudioBus* found = buses ? BusAt(*buses, index) : nullptr;
    if (!found)
        return kInvalidArgument;
    arrangement = found->arrangement;
    return kResultOk;
}

tresult PLUGIN_API EffectComponent::setupProcessing(ProcessSetup& setup)
{
    mProcessSetup = setup;
    return kResultOk;
}

tresult PLUGIN_API EffectComponent::setProcessing(TBool)
{
    return kNotImplemented;
}

tresult PLUGIN_API EffectComponent::setComponentState(IBStream*)
{
    return kNotImplemented;
}

int32 PLUGIN_API EffectComponent::getParameterCount()
{
    return mParameters.Count();
}

tresult PLUGIN_API EffectComponent::getParameterInfo(int32 index, ParameterInfo& info)
{
    const Parameter* parameter = mParameters.At(index);
    if (!parameter)
        return kResultFalse;
    info = parameter->Info();
    return kResultOk;
}

tresult PLUGIN_API EffectComponent::getParamValueByString(ParamID id, char16* string, ParamValue& valueNormalized)
{
    const Parameter* parameter = mParameters.Find(id);
    return parameter && parameter->FromString(string, valueNormalized) ? kResultOk : kResultFalse;
}

ParamValue PLUGIN_API EffectComponent::normalizedParamToPlain(ParamID id, ParamValue valueNormalized)
{
    const Parameter* parameter = mParameters.Find(id);
    return parameter ? parameter->ToPlain(valueNormalized) : valueNormalized;
}

tresult PLUGIN_API EffectComponent::setComponentHandler(IComponentHandler* handler)
{
    if (handler == mComponentHandler)
        return kResultTrue;
    if (handler)
        handler->addRef();
    if (mComponentHandler)
        mComponentHandler->release();
    mComponentHandler = handler;
    return kResultTrue;
}

tresult PLUGIN_API EffectComponent::setKnobMode(int32)
{
    return kResultOk;
}

tresult PLUGIN_API EffectComponent::openHelp(TBool)
{
    return kResultFalse;
}

tresult PLUGIN_API EffectComponent::openAboutBox(TBool)
{
    return kResultFalse;
}

// Processor and controller are this one object, so there is nothing to connect to.
tresult PLUGIN_API EffectComponent::connect(IConnectionPoint* other)
{
    return other ? kResultOk : kInvalidArgument;
}

tresult PLUGIN_API EffectComponent::disconnect(IConnectionPoint* other)
{
    return other ? kResultOk : kInvalidArgument;
}

tresult PLUGIN_API EffectComponent::notify(IMessage*)
{
    return kResultFalse;
}

bool EffectComponent::AddAudioInput(const char* name, SpeakerArrangement arrangement, int32 busType)
{
    return AppendBus(mInputBuses, name, arrangement, busType);
}

bool EffectComponent::AddAudioOutput(const char* name, SpeakerArrangement arrangement, int32 busType)
{
    return AppendBus(mOutputBuses, name, arrangement, busType);
}

bool EffectComponent::SetBusArrangement(int32 direction, int32 index, SpeakerArrangement arrangement)
{
    std::vector<AudioBus>* buses = Buses(kMediaTypeAudio, direction);
    if (!buses || index < 0 || index >= static_cast<int32>(buses->size()))
        return false;
    (*buses)[static_cast<size_t>(index)].arrangement = arrangement;
    return true;
}

const AudioBus* EffectComponent::InputBus(int32 index) const
{
    return BusAt(mInputBuses, index);
}

const AudioBus* EffectComponent::OutputBus(int32 index) const
{
    return BusAt(mOutputBuses, index);
}

const char* EffectComponent::ClassName() const
{
    return kClassName;
}

bool EffectComponent::IsTypeOf(const char* name) const
{
    for (const char* baseName : kBaseNames)
    {
        if (name && std::strcmp(name, baseName) == 0)
            return true;
    }
    return RefCountedObject::IsTypeOf(name);
}
}
