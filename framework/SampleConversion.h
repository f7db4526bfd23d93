#pragma once

// Plain conversions between the host's single-precision blocks and the double-precision
// processing buffers: no scaling, no clipping.
void CopyFloatToDouble(const float* source, double* destination, int frames);
void CopyDoubleToFloat(const double* source, float* destination, int frames);
