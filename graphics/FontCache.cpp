#include "graphics/FontCache.h"

#include "framework/PointerList.h"
#include "framework/ProcessLocks.h"
#include "framework/ScopedLock.h"
#include "graphics/PIX_CachedFont.h"
#include "graphics/TextStyle.h"

namespace
{
struct Entry
{
    TextStyle key;
    PIX_CachedFont* font;

    ~Entry() { delete font; }
};

struct Entries
{
    PointerList<Entry> list;

    ~Entries() { list.DeleteAll(); }
};

Entries& TheEntries()
{
    FontCacheLock();
    static Entries entries;
    return entries;
}
}

PIX_CachedFont* FontCache::Find(const TextStyle& style)
{
    Entries& entries = TheEntries();
    ScopedLock lock(FontCacheLock());
    for (int32_t i = 0; i < entries.list.Count(); ++i)
    {
        const Entry* entry = entries.list.Get(i);
        if (entry->font && entry->key.SameFont(style))
            return entry->font;
    }
    return nullptr;
}

bool FontCache::Add(const TextStyle& style, PIX_CachedFont* font)
{
    if (!font)
        return false;
    auto* entry = new Entry{style, font};
    entry->key.cachedFont = nullptr;
    Entries& entries = TheEntries();
    ScopedLock lock(FontCacheLock());
    if (entries.list.Add(entry))
        return true;
    delete entry;
    return false;
}
