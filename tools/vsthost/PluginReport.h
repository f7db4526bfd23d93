#pragma once
// Prints what a plug-in reports about itself.

#include <cstdint>
#include <cstdio>

class PluginInstance;

class PluginReport
{
public:
    // With `brief`, only the counts of parameters and programs, not their lists.
    static void Print(const PluginInstance& plugin, bool brief, std::FILE* out);
    // The four characters of an id, first character from the highest byte.
    static void FormatFourCharacters(int32_t id, char (&text)[5]);
};
