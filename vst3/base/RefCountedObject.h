#pragma once

#include "vst3/abi/Vst3Types.h"

#include <atomic>

namespace Vst3
{
// The reference count behind every object this layer hands out. It starts at 1; the release
// that brings it to 0 deletes the object. Objects also name their class and the bases they
// stand for, so code holding a base pointer can ask what it has.
class RefCountedObject
{
public:
    RefCountedObject(const RefCountedObject&) = delete;
    RefCountedObject& operator=(const RefCountedObject&) = delete;

    uint32 AddReference();
    uint32 ReleaseReference();
    // Adds a reference unless the count already reached 0 (the object is being destroyed).
    bool TryAddReference();

    virtual const char* ClassName() const;
    // True for the class name and for each base name the class accepts.
    virtual bool IsTypeOf(const char* name) const;

protected:
    RefCountedObject() = default;
    virtual ~RefCountedObject() = default;

private:
    std::atomic<uint32> mReferences{1};
};
}
