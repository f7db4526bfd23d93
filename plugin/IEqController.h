#pragma once

namespace Wezmark
{

// The two EQ page buttons show one equaliser page at a time through this.
class IEqController
{
public:
    // True shows the sub-band page, false the disto-band page.
    virtual void SetEqPage(bool subBand) = 0;
    virtual void SetEqPageInverse(bool distoBand) = 0;
    virtual ~IEqController() = default;
};

} // namespace Wezmark
