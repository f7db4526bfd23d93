#pragma once
// What every object this host hands to the plug-in answers alike: the root interface and its
// own, with a reference added.

#include "tools/vst3host/ComTypes.h"
#include "tools/vst3host/InterfaceIds.h"

#include <atomic>

namespace HostObject
{
ComResult QueryInterface(void* self, std::atomic<uint32_t>& references, const InterfaceId& own,
                         const uint8_t* interfaceId, void** object);
}
