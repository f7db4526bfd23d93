#include "dsp/filters/DesignLimits.h"

#include <algorithm>

namespace Dsp {

int DesignOrder(double orderValue, int maxOrder)
{
    // Written so that NaN lands on the lowest order.
    if (!(orderValue >= 2.0))
        return 1;
    if (orderValue >= maxOrder)
        return maxOrder;
    return static_cast<int>(orderValue);
}

double NormalisedFrequency(double hz, double sampleRate)
{
    return std::min(hz, kMaxFrequencyFraction * sampleRate) / sampleRate;
}

} // namespace Dsp
