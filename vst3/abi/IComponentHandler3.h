#pragma once

#include "vst3/abi/FUnknown.h"
#include "vst3/abi/IContextMenu.h"
#include "vst3/abi/IPlugView.h"

namespace Vst3
{
// Host side: builds the host's context menu for a parameter of a view.
class IComponentHandler3 : public FUnknown
{
public:
    static constexpr Uid kIid{0x69F11617, 0xD26B400D, 0xA4B6B964, 0x7B6EBBAB};

    virtual IContextMenu* PLUGIN_API createContextMenu(IPlugView* view, const ParamID* paramId) = 0;
};
}
