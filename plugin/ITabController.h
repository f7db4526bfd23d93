#pragma once

namespace Wezmark
{

// The three tab buttons switch the editor's pages through this.
class ITabController
{
public:
    virtual void ShowPlugInTab() = 0;
    virtual void ShowScopeTab() = 0;
    virtual void ShowAboutTab() = 0;
    // Kept for a fourth page; no control calls it.
    virtual void ShowFourthTab() = 0;
    virtual ~ITabController() = default;
};

} // namespace Wezmark
