#include "dsp/filters/ParamRecords.h"

#include "dsp/filters/ParamConverters.h"

#include <stdexcept>

namespace Dsp {

namespace {

constexpr double kMinFrequency = 10.0;
constexpr double kMaxFrequency = 22040.0;
// Resonance and octave bandwidth: the range is of exponents of 2, the default a plain value.
constexpr double kMinExponent = -4.0;
constexpr double kMaxExponent = 4.0;
constexpr double kDefaultOrder = 2.0;

} // namespace

ParamInfo SampleRateRecord()
{
    return {kSampleRateId, "Fs", "Sample Rate", 11025.0, 192000.0, 44100.0,
            LinearToNormalised, LinearFromNormalised, HertzText};
}

ParamInfo FrequencyRecord(const char* name)
{
    return {kFrequencyId, "Fc", name, kMinFrequency, kMaxFrequency, 2000.0,
            Log15ToNormalised, Pow15FromNormalised, HertzText};
}

ParamInfo ResonanceRecord()
{
    return {kResonanceId, "Q", "Resonance", kMinExponent, kMaxExponent, 1.0,
            Log2ToNormalised, Pow2FromNormalised, FixedText};
}

ParamInfo BandwidthOctavesRecord()
{
    return {kBandwidthOctavesId, "BW", "Bandwidth (Octaves)", kMinExponent, kMaxExponent, 1.0,
            Log2ToNormalised, Pow2FromNormalised, FixedText};
}

ParamInfo BandwidthHzRecord()
{
    return {kBandwidthHzId, "BW", "Bandwidth (Hz)", kMinFrequency, kMaxFrequency, 1720.0,
            Log15ToNormalised, Pow15FromNormalised, HertzText};
}

ParamInfo GainRecord()
{
    return {kGainId, "Gain", "Gain", -24.0, 24.0, -6.0, LinearToNormalised, LinearFromNormalised, DecibelText};
}

ParamInfo OrderRecord(int maxOrder)
{
    return {kOrderId, "Order", "Order", 1.0, static_cast<double>(maxOrder), kDefaultOrder,
            LinearToNormalised, NearestIntegerFromNormalised, IntegerText};
}

ParamInfo RippleRecord()
{
    return {kRippleId, "Ripple", "Ripple dB", 0.001, 12.0, 0.01, LinearToNormalised, LinearFromNormalised, DecibelText};
}

ParamInfo TransitionWidthRecord()
{
    return {kTransitionWidthId, "W", "Transition Width", -16.0, 4.0, 0.0,
            LinearToNormalised, LinearFromNormalised, FixedText};
}

ParamInfo SelectParamInfo(std::initializer_list<ParamInfo> records, int index)
{
    if (static_cast<unsigned>(index) >= records.size())
        throw std::logic_error(kInvalidParamInfoMessage);
    return records.begin()[index];
}

} // namespace Dsp
