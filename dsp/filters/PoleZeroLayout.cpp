#include "dsp/filters/PoleZeroLayout.h"

namespace Dsp {

PoleZeroLayout::PoleZeroLayout(std::span<PoleZeroPair> pairs, double normalW, double normalGain)
    : normalW(normalW), normalGain(normalGain), pairs(pairs)
{
}

std::vector<PoleZeroPair> PoleZeroLayout::GetPairs() const
{
    return std::vector<PoleZeroPair>(pairs.begin(), pairs.begin() + GetNumPairs());
}

} // namespace Dsp
