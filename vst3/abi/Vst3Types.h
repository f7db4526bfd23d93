#pragma once

#include <cstdint>

// The scalar types of the VST3 host interfaces.
#if defined(_WIN32)
#define PLUGIN_API __stdcall
#else
#define PLUGIN_API
#endif

namespace Vst3
{
using int16 = int16_t;
using int32 = int32_t;
using int64 = int64_t;
using uint32 = uint32_t;
using uint64 = uint64_t;
using tresult = int32_t;
using TBool = uint8_t;
using char16 = char16_t;
using String128 = char16[128];
using ParamID = uint32_t;
using ParamValue = double;
using SpeakerArrangement = uint64_t;
using TUID = char[16];
using FIDString = const char*;

constexpr int32 kString128Size = 128;

static_assert(sizeof(TUID) == 16);
static_assert(sizeof(String128) == 256);
}
