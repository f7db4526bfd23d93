#pragma once

#include "framework/GrowBuffer.h"
#include "framework/ParamType.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

// One automatable parameter: its range, current value, the mapping to and from the
// host's normalised 0..1 scale, and its display text.
//
// Threads: the value may be written on one thread while another reads it (a VST3 controller
// beside the audio thread), so it is held in an atomic; everything else is set once, before
// the host sees the parameter.
struct DisplayTextEntry;

class IParameter
{
public:
    static constexpr int kTextSize = 32;
    // Wide enough for every name to reach a host whole: hosts take up to 63 characters.
    static constexpr int kNameSize = 64;
    static constexpr int kMaxDisplayPrecision = 6;

    IParameter() = default;
    IParameter(const IParameter&) = delete;
    IParameter& operator=(const IParameter&) = delete;

    void InitContinuous(const char* name, double defaultValue, double minimum, double maximum, double step,
                        const char* label, const char* group, double shape);

    double GetNormalized() const;
    // The normalised position of `value`, limited to the range first (a NaN counts as the
    // minimum). Every host value of either binding is mapped with this and ValueAt.
    double NormalizedOf(double value) const;
    // The value at a normalised position, neither rounded to the step nor limited.
    double ValueAt(double normalised) const;
    // The value for a normalised position: rounded to the step unless continuous, limited above by the maximum.
    double FromNormalized(double normalised) const;
    void SetNormalized(double normalised);
    // Limits the value to the range without rounding; a non-finite value becomes the default first.
    void SetPlain(double value);
    // What SetPlain would store for `value`.
    double Limit(double value) const;

    // Writes at most outSize bytes including the terminator.
    void GetDisplayText(double value, bool normalised, char* out, bool useDisplayTexts, size_t outSize) const;
    // Empty when a display text stands for the current value, else the label.
    const char* GetLabelForHost() const;
    // Sets the value from a host's text; false (nothing changes) when display texts exist and none matches.
    bool SetFromHostText(const char* text);

    void AddDisplayText(int32_t value, const char* text);
    int32_t DisplayTextCount() const;
    // The non-empty display text of the truncated value, or null.
    const char* FindDisplayText(double value) const;
    void SetNegateDisplay(bool negate) { mNegateDisplay = negate; }
    bool NegateDisplay() const { return mNegateDisplay; }

    ParamType Type() const { return mType; }
    double Value() const { return mValue.load(std::memory_order_relaxed); }
    double Minimum() const { return mMinimum; }
    double Maximum() const { return mMaximum; }
    double Step() const { return mStep; }
    double Shape() const { return mShape; }
    double Default() const { return mDefault; }
    int32_t DisplayPrecision() const { return mDisplayPrecision; }
    const char* Name() const { return mName; }
    const char* Label() const { return mLabel; }
    const char* Group() const { return mGroup; }
    bool CanAutomate() const { return mCanAutomate; }

private:
    double Clamped(double value) const;
    const DisplayTextEntry* DisplayTexts() const;

    ParamType mType = kParamTypeNone;
    std::atomic<double> mValue{0.0};
    double mMinimum = 0.0;
    double mMaximum = 1.0;
    double mStep = 1.0;
    double mShape = 1.0;
    double mDefault = 0.0;
    int32_t mDisplayPrecision = 0;
    char mName[kNameSize] = {};
    char mLabel[kTextSize] = {};
    char mGroup[kTextSize] = {};
    bool mNegateDisplay = false;
    bool mCanAutomate = true;
    GrowBuffer mDisplayTexts;
};
