#pragma once

#include <cstdint>

class PIX_IBitmap;

void RasterFillTriangle(PIX_IBitmap* bitmap, const int32_t x[3], const int32_t y[3], uint32_t colour, float alpha,
                        uint32_t mode);
