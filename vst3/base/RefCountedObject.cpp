#include "vst3/base/RefCountedObject.h"

#include <cstring>

namespace Vst3
{
namespace
{
constexpr char kClassName[] = "FObject";
}

uint32 RefCountedObject::AddReference()
{
    return ++mReferences;
}

uint32 RefCountedObject::ReleaseReference()
{
    const uint32 remaining = --mReferences;
    if (remaining == 0)
        delete this;
    return remaining;
}

bool RefCountedObject::TryAddReference()
{
    uint32 count = mReferences.load();
    while (count != 0)
    {
        if (mReferences.compare_exchange_weak(count, count + 1))
            return true;
    }
    return false;
}

const char* RefCountedObject::ClassName() const
{
    return kClassName;
}

bool RefCountedObject::IsTypeOf(const char* name) const
{
    return name && std::strcmp(name, kClassName) == 0;
}
}
