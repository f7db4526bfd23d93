#include "framework/HostId.h"

#include <cstring>

namespace
{
struct HostName
{
    const char* fragment;
    HostId id;
};

// Order matters: a product string holding two fragments takes the earlier row.
constexpr HostName kHostNames[] = {
    {"cubase", 3},      {"reaper", 1},     {"nuendo", 4},      {"cakewalk", 5},
    {"samplitude", 8},  {"fruity", 7},     {"live", 9},        {"melodyne", 12},
    {"vstmanlib", 13},  {"aulab", 14},     {"garageband", 22}, {"forte", 15},
    {"chainer", 16},    {"audition", 17},  {"orion", 18},      {"sawstudio", 20},
    {"logic", 21},      {"digital", 23},   {"audiomulch", 25}, {"presonus", 26},
    {"vst3plugintesthost", 27}, {"protools", 2}, {"ardour", 28}, {"openmpt", 30},
    {"renoise", 29},    {"standalone", 24},
};

constexpr int kMaxNameLength = 255;

char ToLowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
}

HostId GetHostIdFromName(const char* product)
{
    if (!product)
        return kHostUnknown;
    char lowered[kMaxNameLength + 1];
    int length = 0;
    for (; length < kMaxNameLength && product[length] != '\0'; ++length)
        lowered[length] = ToLowerAscii(product[length]);
    lowered[length] = '\0';
    for (const HostName& host : kHostNames)
        if (std::strstr(lowered, host.fragment))
            return host.id;
    return kHostUnknown;
}
