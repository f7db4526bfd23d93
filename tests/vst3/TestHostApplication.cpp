#include "tests/vst3/TestHostApplication.h"

#include <algorithm>

Vst3::tresult PLUGIN_API TestHostApplication::getName(Vst3::String128 name)
{
    const size_t length = std::min(mName.size(), static_cast<size_t>(Vst3::kString128Size - 1));
    std::copy_n(mName.begin(), length, name);
    name[length] = u'\0';
    return Vst3::kResultOk;
}

Vst3::tresult PLUGIN_API TestHostApplication::createInstance(Vst3::TUID, Vst3::TUID, void** object)
{
    *object = nullptr;
    return Vst3::kNoInterface;
}
