#include "tools/vst3host/InterfaceIds.h"

#include <algorithm>

namespace InterfaceIds
{
namespace
{
void Store(InterfaceId& id, size_t at, uint32_t value, int bytes, bool littleEndian)
{
    for (int i = 0; i < bytes; ++i)
    {
        const int shift = littleEndian ? 8 * i : 8 * (bytes - 1 - i);
        id[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> shift);
    }
}
}

InterfaceId FromWords(uint32_t first, uint32_t second, uint32_t third, uint32_t fourth)
{
#if defined(_WIN32)
    constexpr bool kComOrder = true;
#else
    constexpr bool kComOrder = false;
#endif
    InterfaceId id{};
    if (kComOrder)
    {
        Store(id, 0, first, 4, true);
        Store(id, 4, second >> 16, 2, true);
        Store(id, 6, second & 0xFFFF, 2, true);
    }
    else
    {
        Store(id, 0, first, 4, false);
        Store(id, 4, second, 4, false);
    }
    Store(id, 8, third, 4, false);
    Store(id, 12, fourth, 4, false);
    return id;
}

bool Equals(const uint8_t* bytes, const InterfaceId& id)
{
    return bytes && std::equal(id.begin(), id.end(), bytes);
}

const InterfaceId kUnknown = FromWords(0x00000000, 0x00000000, 0xC0000000, 0x00000046);
const InterfaceId kPluginFactory = FromWords(0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F);
const InterfaceId kPluginFactory2 = FromWords(0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB);
const InterfaceId kPluginFactory3 = FromWords(0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931);
const InterfaceId kPluginBase = FromWords(0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625);
const InterfaceId kComponent = FromWords(0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802);
const InterfaceId kAudioProcessor = FromWords(0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D);
const InterfaceId kEditController = FromWords(0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E);
const InterfaceId kEditController2 = FromWords(0x7F4EFE59, 0xF3204967, 0xAC27A3AE, 0xAFB63038);
const InterfaceId kUnitInfo = FromWords(0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1);
const InterfaceId kConnectionPoint = FromWords(0x70A4156F, 0x6E6E4026, 0x989148BF, 0xAA60D8D1);
const InterfaceId kHostApplication = FromWords(0x58E595CC, 0xDB2D4969, 0x8B6AAF8C, 0x36A664E5);
const InterfaceId kComponentHandler = FromWords(0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6);
const InterfaceId kStream = FromWords(0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B);
const InterfaceId kParameterChanges = FromWords(0xA4779663, 0x0BB64A56, 0xB44384A8, 0x466FEB9D);
const InterfaceId kParamValueQueue = FromWords(0x01263A18, 0xED074F6F, 0x98C9D356, 0x4686F9BA);
const InterfaceId kPlugView = FromWords(0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29);
const InterfaceId kPlugFrame = FromWords(0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3);
const InterfaceId kRunLoop = FromWords(0x18C35366, 0x97764F1A, 0x9C5B8385, 0x3A871389);
const InterfaceId kTimerHandler = FromWords(0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9);
}
