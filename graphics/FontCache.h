#pragma once

class PIX_CachedFont;
struct TextStyle;

// Fonts by everything that changes their glyphs (face, size, orientation, weight or slant,
// quality), shared by every editor of the process. Entries are only appended; the fonts
// live until the plug-in file is unloaded. The lock is held only while the list is searched
// or grown, never while a font is made.
class FontCache
{
public:
    static PIX_CachedFont* Find(const TextStyle& style);
    // The cache takes the font; false when the list cannot grow, and the font is then deleted.
    static bool Add(const TextStyle& style, PIX_CachedFont* font);
};
