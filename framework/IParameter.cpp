#include "framework/IParameter.h"

#include "framework/BoundedCopy.h"
#include "framework/DisplayTextEntry.h"
#include "framework/SignlessZero.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace
{
// Display values come from hosts and files: truncate toward zero, but saturate
// rather than overflow, and show a NaN as 0.
int32_t TruncateSaturated(double value)
{
    constexpr double kLowest = std::numeric_limits<int32_t>::min();
    constexpr double kHighest = std::numeric_limits<int32_t>::max();
    if (std::isnan(value))
        return 0;
    if (value <= kLowest)
        return std::numeric_limits<int32_t>::min();
    if (value >= kHighest)
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

// The mapping's power; the linear shape, which almost every parameter has, needs none, and host
// automation maps values many times a block.
double Shaped(double x, double exponent)
{
    return exponent == 1.0 ? x : std::pow(x, exponent);
}

int32_t DecimalsOfStep(double step)
{
    int32_t precision = 0;
    double scaled = step;
    for (int32_t decimals = 1; decimals <= IParameter::kMaxDisplayPrecision; ++decimals)
    {
        if (scaled == std::floor(scaled))
            break;
        precision = decimals;
        scaled *= 10.0;
    }
    return precision;
}
}

void IParameter::InitContinuous(const char* name, double defaultValue, double minimum, double maximum, double step,
                                const char* label, const char* group, double shape)
{
    if (mType == kParamTypeNone)
        mType = kParamTypeDouble;
    BoundedCopy(mName, name, kNameSize);
    BoundedCopy(mLabel, label, kTextSize);
    BoundedCopy(mGroup, group, kTextSize);
    mValue.store(defaultValue, std::memory_order_relaxed);
    mMinimum = minimum;
    mMaximum = maximum;
    mStep = step;
    mDefault = defaultValue;
    mDisplayPrecision = DecimalsOfStep(step);
    mShape = shape;
}

double IParameter::Clamped(double value) const
{
    return value < mMinimum ? mMinimum : std::fmin(value, mMaximum);
}

double IParameter::GetNormalized() const
{
    return NormalizedOf(Value());
}

double IParameter::NormalizedOf(double value) const
{
    const double limited = std::isnan(value) ? mMinimum : Clamped(value);
    return Shaped((limited - mMinimum) / (mMaximum - mMinimum), 1.0 / mShape);
}

double IParameter::ValueAt(double normalised) const
{
    return mMinimum + Shaped(normalised, mShape) * (mMaximum - mMinimum);
}

double IParameter::FromNormalized(double normalised) const
{
    double value = ValueAt(normalised);
    if (mType != kParamTypeDouble)
        value = std::floor(value / mStep + 0.5) * mStep;
    return std::fmin(value, mMaximum);
}

void IParameter::SetNormalized(double normalised)
{
    mValue.store(FromNormalized(normalised), std::memory_order_relaxed);
}

void IParameter::SetPlain(double value)
{
    mValue.store(Limit(value), std::memory_order_relaxed);
}

double IParameter::Limit(double value) const
{
    return Clamped(std::isfinite(value) ? value : mDefault);
}

int32_t IParameter::DisplayTextCount() const
{
    return mDisplayTexts.Size() / static_cast<int32_t>(sizeof(DisplayTextEntry));
}

const DisplayTextEntry* IParameter::DisplayTexts() const
{
    return static_cast<const DisplayTextEntry*>(mDisplayTexts.Data());
}

const char* IParameter::FindDisplayText(double value) const
{
    const int32_t key = TruncateSaturated(value);
    const DisplayTextEntry* entries = DisplayTexts();
    for (int32_t i = 0; i < DisplayTextCount(); ++i)
        if (entries[i].value == key && entries[i].text[0] != '\0')
            return entries[i].text;
    return nullptr;
}

void IParameter::AddDisplayText(int32_t value, const char* text)
{
    DisplayTextEntry entry{};
    entry.value = value;
    BoundedCopy(entry.text, text, DisplayTextEntry::kTextSize);
    mDisplayTexts.Append(&entry, sizeof entry);
}

void IParameter::GetDisplayText(double value, bool normalised, char* out, bool useDisplayTexts, size_t outSize) const
{
    if (normalised)
        value = ValueAt(value);
    if (useDisplayTexts && DisplayTextCount() > 0)
    {
        if (const char* text = FindDisplayText(value))
        {
            BoundedCopy(out, text, outSize);
            return;
        }
    }
    if (mNegateDisplay)
        value = -value;
    if (mDisplayPrecision == 0)
        std::snprintf(out, outSize, "%d", static_cast<int>(TruncateSaturated(value)));
    else
        std::snprintf(out, outSize, "%.*f", static_cast<int>(mDisplayPrecision),
                      SignlessZero::Clean(value, static_cast<int>(mDisplayPrecision)));
}

const char* IParameter::GetLabelForHost() const
{
    if (DisplayTextCount() > 0 && FindDisplayText(Value()))
        return "";
    return mLabel;
}

bool IParameter::SetFromHostText(const char* text)
{
    if (!text)
        return false;
    if (DisplayTextCount() > 0)
    {
        const DisplayTextEntry* entries = DisplayTexts();
        for (int32_t i = 0; i < DisplayTextCount(); ++i)
        {
            if (std::strcmp(entries[i].text, text) == 0)
            {
                SetPlain(entries[i].value);
                return true;
            }
        }
        return false;
    }
    const double value = std::strtod(text, nullptr);
    SetPlain(mNegateDisplay ? -value : value);
    return true;
}
