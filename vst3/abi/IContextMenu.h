#pragma once

#include "vst3/abi/FUnknown.h"

namespace Vst3
{
// Only handed through here; their layouts are not needed.
struct ContextMenuItem;
class IContextMenuTarget;

// Host side: a context menu that the host builds for a parameter and pops up.
class IContextMenu : public FUnknown
{
public:
    static constexpr Uid kIid{0x2E93C863, 0x0C9C4588, 0x97DBECF5, 0xAD17817D};

    virtual int32 PLUGIN_API getItemCount() = 0;
    virtual tresult PLUGIN_API getItem(int32 index, ContextMenuItem& item, IContextMenuTarget** target) = 0;
    virtual tresult PLUGIN_API addItem(const ContextMenuItem& item, IContextMenuTarget* target) = 0;
    virtual tresult PLUGIN_API removeItem(const ContextMenuItem& item, IContextMenuTarget* target) = 0;
    virtual tresult PLUGIN_API popup(int32 x, int32 y) = 0;
};
}
