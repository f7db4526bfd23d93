#pragma once

#include <cstdint>

class PIX_IBitmap;

// Decoded images by resource id, shared by every editor of the process. Entries are only
// appended; the bitmaps live until the process unloads the plug-in. The lock is held only
// while the list is searched or grown, never while an image is decoded.
class BitmapCache
{
public:
    // The first bitmap cached under the id, or null.
    static PIX_IBitmap* Find(int32_t id);
    // The cache takes the bitmap (a null bitmap is ignored); false when the list cannot grow,
    // and the bitmap is then deleted.
    static bool Add(int32_t id, PIX_IBitmap* bitmap);
};
