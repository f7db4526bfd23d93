#include "framework/SignlessZero.h"

#include <cmath>
#include <cstdio>

namespace SignlessZero
{
bool RoundsToZero(double value, int decimals)
{
    if (!std::isfinite(value))
        return false;
    // The printed digits decide, so the test rounds exactly as the display does.
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.*f", decimals < 0 ? 0 : decimals, std::fabs(value));
    for (const char* c = digits; *c != '\0'; ++c)
        if (*c != '0' && *c != '.')
            return false;
    return true;
}

double Clean(double value, int decimals)
{
    return RoundsToZero(value, decimals) ? 0.0 : value;
}

void SignedDecibels(char* out, size_t size, double db)
{
    constexpr int kDecimals = 2;
    if (RoundsToZero(db, kDecimals))
        std::snprintf(out, size, "%.*f dB", kDecimals, 0.0);
    else
        std::snprintf(out, size, "%+.*f dB", kDecimals, db);
}
}
