#include "graphics/RasterRoundRect.h"

#include "graphics/RasterCanvas.h"
#include "graphics/RasterCircle.h"
#include "graphics/RasterLine.h"

#include <cmath>
#include <numbers>

void RasterRoundRect(PIX_IBitmap* bitmap, float x, float y, float width, float height, uint32_t colour, float alpha,
                     uint32_t mode)
{
    constexpr double kMaxCornerRadius = 3.0;
    constexpr double kMinCornerRadius = 2.0;
    const double cr = std::floor(std::min({kMaxCornerRadius, width * 0.5, height * 0.5}));
    if (!(cr >= kMinCornerRadius))
    {
        RasterRectOutline(bitmap, RasterTrunc(x), RasterTrunc(y), RasterTrunc(width), RasterTrunc(height), colour,
                          alpha, mode);
        return;
    }

    const double right = static_cast<double>(x) + width, bottom = static_cast<double>(y) + height;
    const int32_t top = RasterTrunc(y), lower = RasterTrunc(bottom), left = RasterTrunc(x), rightX = RasterTrunc(right);
    RasterLine(bitmap, RasterTrunc(x + cr), top, RasterTrunc(right - cr), top, colour, alpha, mode, true);
    RasterLine(bitmap, RasterTrunc(x + cr - 1.0), lower, RasterTrunc(right - cr), lower, colour, alpha, mode, true);
    RasterLine(bitmap, rightX, RasterTrunc(y + cr), rightX, RasterTrunc(bottom - cr), colour, alpha, mode, true);
    RasterLine(bitmap, left, RasterTrunc(y + cr - 1.0), left, RasterTrunc(bottom - cr), colour, alpha, mode, true);

    constexpr float kPi = std::numbers::pi_v<float>;
    const auto radius = static_cast<float>(cr);
    const auto nearX = static_cast<float>(x + cr), farX = static_cast<float>(right - cr);
    const auto nearY = static_cast<float>(y + cr), farY = static_cast<float>(bottom - cr);
    RasterArc(bitmap, nearX, nearY, radius, -kPi / 2, 0.0f, colour, alpha, mode);
    RasterArc(bitmap, farX, nearY, radius, 0.0f, kPi / 2, colour, alpha, mode);
    RasterArc(bitmap, farX, farY, radius, kPi / 2, kPi, colour, alpha, mode);
    RasterArc(bitmap, nearX, farY, radius, kPi, 3 * kPi / 2, colour, alpha, mode);
}
