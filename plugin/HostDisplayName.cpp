#include "plugin/HostDisplayName.h"

#include <array>
#include <cstddef>

namespace
{
constexpr char kUnknown[] = "Unknown";

// Indexed by host id; entry 0 stands for a host that was not recognised.
constexpr std::array<const char*, 31> kNames = {
    kUnknown,     "Reaper",     "ProTools",   "Cubase",     "Nuendo",           "Sonar",
    "Vegas",      "FLStudio",   "Samplitude", "Live",       kUnknown,           kUnknown,
    kUnknown,     "VSTScanner", "AULab",      "Forte",      "Chainer",          "Audition",
    "Orion",      kUnknown,     "SAWStudio",  "Logic",      "GarageBand",       "DigitalPerformer",
    "Standalone", "AudioMulch", "StudioOne",  "VST3PluginTestHost", "Ardour",   "Renoise",
    "OpenMPT",
};
}

const char* GetHostDisplayName(int hostId)
{
    if (hostId < 0 || hostId >= static_cast<int>(kNames.size()))
        return kUnknown;
    return kNames[static_cast<std::size_t>(hostId)];
}
