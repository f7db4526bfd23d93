#include "tools/vst3host/PlugFrame.h"

#include "tools/vst3host/HostObject.h"
#include "tools/vst3host/PlugViewEditor.h"

#include <cstddef>

const PlugFrameTable PlugFrame::kTable = {
    {&PlugFrame::QueryInterface, &PlugFrame::AddRef, &PlugFrame::Release},
    &PlugFrame::ResizeView,
};

PlugFrame::PlugFrame(PlugViewEditor& editor) : table_(&kTable), editor_(&editor)
{
    static_assert(offsetof(PlugFrame, table_) == 0);
}

ComResult PlugFrame::QueryInterface(void* self, const uint8_t* interfaceId, void** object)
{
    return HostObject::QueryInterface(self, static_cast<PlugFrame*>(self)->references_, InterfaceIds::kPlugFrame, interfaceId,
                                      object);
}

uint32_t PlugFrame::AddRef(void* self)
{
    return ++static_cast<PlugFrame*>(self)->references_;
}

uint32_t PlugFrame::Release(void* self)
{
    return --static_cast<PlugFrame*>(self)->references_;
}

ComResult PlugFrame::ResizeView(void* self, void* view, ViewRectRecord* newSize)
{
    if (!view || !newSize)
        return kComFalse;
    return static_cast<PlugFrame*>(self)->editor_->Resize(*newSize);
}
