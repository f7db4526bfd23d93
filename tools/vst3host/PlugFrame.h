#pragma once
// The frame this host gives an editor view: the view asks it for a new size, which the frame
// hands to the editor it belongs to. It counts references but is owned by the host.

#include "tools/vst3host/ComTables.h"

#include <atomic>

class PlugViewEditor;

class PlugFrame
{
public:
    explicit PlugFrame(PlugViewEditor& editor);

    void* Object() { return this; }
    uint32_t ForeignReferences() const { return references_ - 1; }

private:
    static const PlugFrameTable kTable;

    static ComResult QueryInterface(void* self, const uint8_t* interfaceId, void** object);
    static uint32_t AddRef(void* self);
    static uint32_t Release(void* self);
    static ComResult ResizeView(void* self, void* view, ViewRectRecord* newSize);

    // Must stay the first member.
    const PlugFrameTable* table_;
    std::atomic<uint32_t> references_{1};
    PlugViewEditor* editor_;
};
