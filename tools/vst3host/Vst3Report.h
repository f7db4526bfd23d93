#pragma once
// Prints what a module's factory and an effect report about themselves.

#include "tools/vst3host/ComTypes.h"

#include <cstdint>
#include <cstdio>
#include <string>

class EffectInstance;

class Vst3Report
{
public:
    static void PrintFactory(const FactoryInfoRecord& info, std::FILE* out);
    static void PrintClass(int32_t index, const ClassInfo2Record& info, std::FILE* out);
    // With `brief`, only the counts of parameters, units and programs, not their lists.
    static void PrintEffect(const EffectInstance& effect, bool brief, std::FILE* out);

    // A UTF-16 text of at most `capacity` units as 8-bit text ('?' above 255).
    static std::string Narrow(const char16_t* text, size_t capacity);
    // A fixed-width field that need not be terminated.
    static std::string FieldText(const char* field, size_t width);
    // An id as four characters when all four are printable, else as a number.
    static std::string ParamIdText(uint32_t id);
};
