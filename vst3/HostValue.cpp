#include "vst3/HostValue.h"

#include <algorithm>
#include <cmath>

bool AcceptHostValue(double value, double& accepted)
{
    if (std::isnan(value))
        return false;
    accepted = std::clamp(value, 0.0, 1.0);
    return true;
}
