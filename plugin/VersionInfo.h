#pragma once

#include <cstdint>
#include <string>

namespace Wezmark
{
// The product's name and version texts, fixed at construction.
class VersionInfo
{
public:
    static constexpr int32_t kMajor = 1;
    static constexpr int32_t kMinor = 1;
    static constexpr int32_t kBuild = 5302;
    // One program-wide patch number; nothing changes it.
    static constexpr int32_t kPatch = 0;

    VersionInfo();
    virtual ~VersionInfo() = default;

    int32_t build;
    int32_t patch;
    std::string text;
    std::string maker;
    // "Zarvotone 1.1"
    std::string shortVersion;
    // "Zarvotone 1.1.0.5302 "
    std::string longVersion;
    // "Wezmark Zarvotone Version 1.1.0.5302"
    std::string fullVersion;
    std::string product;
    char code[4];
};
}
