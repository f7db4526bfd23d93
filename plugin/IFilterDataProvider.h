#pragma once

namespace Wezmark
{

// The filter-type menus' view of the filter unit; unit 0 is filter 1, unit 1 filter 2.
class IFilterDataProvider
{
public:
    // "" for any other unit.
    virtual const char* GetFilterName(int unit) = 0;
    virtual const char* GetFilterShortName(int unit) = 0;
    // 0 for any other unit.
    virtual int GetFilterType(int unit) = 0;
    virtual int GetExtraFilterType(int unit) = 0;
    virtual ~IFilterDataProvider() = default;
};

} // namespace Wezmark
