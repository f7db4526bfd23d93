#pragma once
// One plug-in instance reached only through its effect record, closed when the test ends.

#include "framework/vst2/IEffectVST.h"
#include "framework/vst2/Vst2Abi.h"

extern "C" AEffect* VSTPluginMain(audioMasterCallback host);

class HostedPlugin
{
public:
    explicit HostedPlugin(AEffect* effect) : effect_(effect) {}
    ~HostedPlugin() { Close(); }
    HostedPlugin(const HostedPlugin&) = delete;
    HostedPlugin& operator=(const HostedPlugin&) = delete;

    // The product through the entry point, or the recording product of the tests.
    static AEffect* CreateProduct(audioMasterCallback host) { return VSTPluginMain(host); }
    static AEffect* CreateRecording(audioMasterCallback host);

    AEffect* Effect() const { return effect_; }
    VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f) const
    {
        return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
    }
    template <class Product>
    Product& Object() const
    {
        return dynamic_cast<Product&>(*IEffectVST::FromEffect(effect_));
    }
    void Close();

private:
    AEffect* effect_;
};
