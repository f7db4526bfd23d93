#pragma once

namespace Wezmark
{

// The curve menu's view of the distortion.
class IDistoDataProvider
{
public:
    // The built-in curve the first chain has selected, 0 to 80.
    virtual int GetCurrentCurve() = 0;
    virtual ~IDistoDataProvider() = default;
};

} // namespace Wezmark
