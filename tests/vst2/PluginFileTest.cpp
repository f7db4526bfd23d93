#include "framework/vst2/Vst2Constants.h"
#include "tests/vst2/FakeHost.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace
{
// The plug-in file itself, loaded as a host loads it: only its exported entries are reachable.
TEST(PluginFile, ExportsTheEntryUnderBothNames)
{
    void* library = dlopen(ZV_PLUGIN_FILE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    for (const char* name : {"VSTPluginMain", "main"})
    {
        auto entry = reinterpret_cast<VstPluginMainProc>(dlsym(library, name));
        ASSERT_NE(entry, nullptr) << name;
        FakeHost host;
        AEffect* effect = entry(&FakeHost::Callback);
        ASSERT_NE(effect, nullptr) << name;
        EXPECT_EQ(effect->magic, kEffectMagic) << name;
        EXPECT_EQ(effect->uniqueID, 0x7A763130) << name;
        effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    }
    // Everything else stays inside the plug-in.
    EXPECT_EQ(dlsym(library, "_ZN10IEffectVST13VSTDispatcherEP7AEffectiilPvf"), nullptr);
    dlclose(library);
}
}
