#pragma once
// The context this host hands to initialize: it answers the host-application interface with
// the host's name. It counts references but is owned by the host.

#include "tools/vst3host/ComTables.h"

#include <atomic>

class HostApplication
{
public:
    static constexpr char kName[] = "Wezmark vst3host";

    HostApplication();

    void* Object() { return this; }
    // References the plug-in holds beyond the host's own.
    uint32_t ForeignReferences() const { return references_ - 1; }

private:
    static const HostApplicationTable kTable;

    static ComResult QueryInterface(void* self, const uint8_t* interfaceId, void** object);
    static uint32_t AddRef(void* self);
    static uint32_t Release(void* self);
    static ComResult GetName(void* self, char16_t* name);
    static ComResult CreateInstance(void* self, uint8_t* cid, uint8_t* interfaceId, void** object);

    // Must stay the first member: the plug-in reads the table from the object's start.
    const HostApplicationTable* table_;
    std::atomic<uint32_t> references_{1};
};
