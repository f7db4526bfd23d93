#include "graphics/BitmapCache.h"

#include "framework/PointerList.h"
#include "framework/ProcessLocks.h"
#include "framework/ScopedLock.h"
#include "graphics/PIX_IBitmap.h"

namespace
{
struct Entry
{
    int32_t id;
    PIX_IBitmap* bitmap;

    ~Entry() { delete bitmap; }
};

// Deletes every cached bitmap when the plug-in file is unloaded.
struct Entries
{
    PointerList<Entry> list;

    ~Entries() { list.DeleteAll(); }
};

Entries& TheEntries()
{
    // The lock is made first, so it outlives the list that uses it.
    BitmapCacheLock();
    static Entries entries;
    return entries;
}
}

PIX_IBitmap* BitmapCache::Find(int32_t id)
{
    Entries& entries = TheEntries();
    ScopedLock lock(BitmapCacheLock());
    for (int32_t i = 0; i < entries.list.Count(); ++i)
    {
        const Entry* entry = entries.list.Get(i);
        if (entry->id == id && entry->bitmap)
            return entry->bitmap;
    }
    return nullptr;
}

bool BitmapCache::Add(int32_t id, PIX_IBitmap* bitmap)
{
    if (!bitmap)
        return false;
    auto* entry = new Entry{id, bitmap};
    Entries& entries = TheEntries();
    ScopedLock lock(BitmapCacheLock());
    if (entries.list.Add(entry))
        return true;
    delete entry;
    return false;
}
