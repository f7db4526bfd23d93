#pragma once

#include "vst3/abi/Vst3Types.h"

#include <bit>

namespace Vst3
{
// One audio bus of a component: its name, kind, speaker arrangement and whether the host
// has activated it (buses start inactive; hosts activate the ones they use).
struct AudioBus
{
    int32 ChannelCount() const { return std::popcount(arrangement); }

    String128 name;
    int32 busType;
    SpeakerArrangement arrangement;
    uint32 flags;
    bool active;
};
}
