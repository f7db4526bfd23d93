#include "tests/vst2/HostedPlugin.h"

#include "framework/vst2/Vst2Constants.h"
#include "framework/vst2/VstPluginEntry.h"
#include "tests/vst2/RecordingEffect.h"

namespace
{
IEffectVST* MakeRecording(audioMasterCallback host)
{
    return new RecordingEffect(host);
}
}

AEffect* HostedPlugin::CreateRecording(audioMasterCallback host)
{
    return VstPluginEntry::Create(&MakeRecording, host);
}

void HostedPlugin::Close()
{
    if (effect_)
        effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0.0f);
    effect_ = nullptr;
}
