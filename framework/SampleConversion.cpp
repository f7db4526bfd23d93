#include "framework/SampleConversion.h"

void CopyFloatToDouble(const float* source, double* destination, int frames)
{
    for (int i = 0; i < frames; ++i)
        destination[i] = source[i];
}

void CopyDoubleToFloat(const double* source, float* destination, int frames)
{
    for (int i = 0; i < frames; ++i)
        destination[i] = static_cast<float>(source[i]);
}
