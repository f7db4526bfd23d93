#pragma once

#include "vst3/abi/IAudioProcessor.h"
#include "vst3/abi/IComponent.h"
#include "vst3/abi/IConnectionPoint.h"
#include "vst3/abi/IEditController.h"
#include "vst3/abi/IUnitInfo.h"
#include "vst3/base/AudioBus.h"
#include "vst3/base/ParameterContainer.h"
#include "vst3/base/RefCountedObject.h"

#include <vector>

namespace Vst3
{
// An effect that is processor and edit controller in one object: it answers every interface
// of both sides, keeps the host context and component handler, its audio buses and its
// parameter container, and gives the common answers. The product's binding supplies audio,
// state, parameter values and units.
//
// Threads: process runs on the host's audio thread, every other call on its UI thread.
class EffectComponent : public IComponent,
                        public IAudioProcessor,
                        public IEditController,
                        public IEditController2,
                        public IUnitInfo,
                        public IConnectionPoint,
                        public RefCountedObject
{
public:
    tresult PLUGIN_API queryInterface(const TUID interfaceId, void** object) override;
    uint32 PLUGIN_API addRef() override;
    uint32 PLUGIN_API release() override;

    // The first call keeps the context (with a reference) and succeeds; later calls until
    // terminate answer kResultFalse.
    tresult PLUGIN_API initialize(FUnknown* context) override;
    // Forgets buses and parameters and releases the context and the component handler.
    tresult PLUGIN_API terminate() override;

    tresult PLUGIN_API getControllerClassId(TUID classId) override;
    tresult PLUGIN_API setIoMode(int32 mode) override;
    int32 PLUGIN_API getBusCount(int32 type, int32 direction) override;
    tresult PLUGIN_API getBusInfo(int32 type, int32 direction, int32 index, BusInfo& bus) override;
    tresult PLUGIN_API getRoutingInfo(RoutingInfo& input, RoutingInfo& output) override;
    tresult PLUGIN_API activateBus(int32 type, int32 direction, int32 index, TBool state) override;

    tresult PLUGIN_API getBusArrangement(int32 direction, int32 index, SpeakerArrangement& arrangement) override;
    tresult PLUGIN_API setupProcessing(ProcessSetup& setup) override;
    tresult PLUGIN_API setProcessing(TBool state) override;

    tresult PLUGIN_API setComponentState(IBStream* state) override;
    int32 PLUGIN_API getParameterCount() override;
    tresult PLUGIN_API getParameterInfo(int32 index, ParameterInfo& info) override;
    tresult PLUGIN_API getParamValueByString(ParamID id, char16* string, ParamValue& valueNormalized) override;
    // An id without parameter gives the value back unchanged.
    ParamValue PLUGIN_API normalizedParamToPlain(ParamID id, ParamValue valueNormalized) override;
    tresult PLUGIN_API setComponentHandler(IComponentHandler* handler) override;

    tresult PLUGIN_API setKnobMode(int32 mode) override;
    tresult PLUGIN_API openHelp(TBool onlyCheck) override;
    tresult PLUGIN_API openAboutBox(TBool onlyCheck) override;

    tresult PLUGIN_API connect(IConnectionPoint* other) override;
    tresult PLUGIN_API disconnect(IConnectionPoint* other) override;
    tresult PLUGIN_API notify(IMessage* message) override;

    const char* ClassName() const override;
    bool IsTypeOf(const char* name) const override;

    // The object's identity: the same pointer whichever interface is asked for FUnknown.
    FUnknown* Unknown() { return static_cast<IComponent*>(this); }

protected:
    EffectComponent();
    ~EffectComponent() override;

    // False when the bus could not be stored.
    bool AddAudioInput(const char* name, SpeakerArrangement arrangement, int32 busType);
    bool AddAudioOutput(const char* name, SpeakerArrangement arrangement, int32 busType);
    // Changes the arrangement of an existing bus, keeping its name and activation.
    bool SetBusArrangement(int32 direction, int32 index, SpeakerArrangement arrangement);
    // Null outside the list.
    const AudioBus* InputBus(int32 index) const;
    const AudioBus* OutputBus(int32 index) const;

    ParameterContainer& Parameters() { return mParameters; }
    IComponentHandler* ComponentHandler() const { return mComponentHandler; }
    FUnknown* HostContext() const { return mHostContext; }
    const ProcessSetup& LastSetup() const { return mProcessSetup; }

private:
    std::vector<AudioBus>* Buses(int32 type, int32 direction);
    void* FindInterface(const char* interfaceId);

    bool mInitialized = false;
    FUnknown* mHostContext = nullptr;
    IComponentHandler* mComponentHandler = nullptr;
    std::vector<AudioBus> mInputBuses;
    std::vector<AudioBus> mOutputBuses;
    ParameterContainer mParameters;
    ProcessSetup mProcessSetup{};
};
}
