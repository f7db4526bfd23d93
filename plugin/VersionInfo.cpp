#include "plugin/VersionInfo.h"

namespace Wezmark
{
namespace
{
constexpr char kMaker[] = "Wezmark";
constexpr char kProduct[] = "Zarvotone";
constexpr char kCode[4] = {'z', 'v', '1', '0'};

std::string Dotted(int32_t first, int32_t second)
{
    return std::to_string(first) + "." + std::to_string(second);
}
}

VersionInfo::VersionInfo()
    : build(kBuild),
      patch(kPatch),
      maker(kMaker),
      product(kProduct),
      code{kCode[0], kCode[1], kCode[2], kCode[3]}
{
    const std::string release = Dotted(kMajor, kMinor);
    const std::string full = release + "." + Dotted(patch, build);
    shortVersion = product + " " + release;
    longVersion = product + " " + full + " ";
    fullVersion = maker + " " + product + " Version " + full;
}
}
