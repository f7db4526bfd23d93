#pragma once

#include <string>

namespace Wezmark
{

// The program menu's view of the presets.
class IEffectPresetProvider
{
public:
    // "01: Name" for the current preset (its number from 1, then its name).
    virtual std::string GetPresetDisplayName() = 0;
    virtual ~IEffectPresetProvider() = default;
};

} // namespace Wezmark
