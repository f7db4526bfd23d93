#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdint>

namespace
{
// The module file itself, loaded from its bundle as a host loads it: only its exported
// entries are reachable.
TEST(ModuleFile, ExportsTheThreeEntriesAndNothingElse)
{
    void* library = dlopen(ZV_MODULE_FILE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    using Entry = bool (*)(void*);
    using Exit = bool (*)();
    using GetFactory = void* (*)();
    const auto entry = reinterpret_cast<Entry>(dlsym(library, "ModuleEntry"));
    const auto exit = reinterpret_cast<Exit>(dlsym(library, "ModuleExit"));
    const auto getFactory = reinterpret_cast<GetFactory>(dlsym(library, "GetPluginFactory"));
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(exit, nullptr);
    ASSERT_NE(getFactory, nullptr);
    EXPECT_TRUE(entry(library));

    // The root interface's release is the third slot of the factory's table.
    using Release = uint32_t (*)(void*);
    void* first = getFactory();
    void* second = getFactory();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    const auto release = (*static_cast<Release* const*>(first))[2];
    EXPECT_EQ(release(second), 1u);
    EXPECT_EQ(release(first), 0u);

    EXPECT_TRUE(exit());
    EXPECT_EQ(dlsym(library, "_ZN11IEffectVST37processERN4Vst311ProcessDataE"), nullptr);
    EXPECT_EQ(dlsym(library, "CreateVst3Product"), nullptr);
    dlclose(library);
}
}
