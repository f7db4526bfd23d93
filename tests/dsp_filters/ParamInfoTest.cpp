#include "DesignCatalogue.h"

#include "dsp/filters/ParamInfo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Row {
    int id;
    const char* label;
    const char* name;
    double minValue;
    double maxValue;
    double defaultValue;
};

const Row kSampleRate{0, "Fs", "Sample Rate", 11025, 192000, 44100};
const Row kCutoff{1, "Fc", "Cutoff Frequency", 10, 22040, 2000};
const Row kCenter{1, "Fc", "Center Frequency", 10, 22040, 2000};
const Row kResonance{2, "Q", "Resonance", -4, 4, 1};
const Row kOctaves{3, "BW", "Bandwidth (Octaves)", -4, 4, 1};
const Row kHertz{4, "BW", "Bandwidth (Hz)", 10, 22040, 1720};
const Row kGain{5, "Gain", "Gain", -24, 24, -6};
const Row kRipple{8, "Ripple", "Ripple dB", 0.001, 12, 0.01};
const Row kWidth{10, "W", "Transition Width", -16, 4, 0};

Row Order(int maxOrder)
{
    return {7, "Order", "Order", 1, static_cast<double>(maxOrder), 2};
}

struct DesignRecords {
    const char* label;
    int kind;
    const char* name;
    std::vector<Row> rows;
};

const std::vector<DesignRecords>& Expected()
{
    static const std::vector<DesignRecords> table = {
        {"ButterworthLowShelf2", 4, "Butterworth Low Shelf", {kSampleRate, Order(2), kCutoff, kGain}},
        {"ButterworthHighShelf2", 5, "Butterworth High Shelf", {kSampleRate, Order(2), kCutoff, kGain}},
        {"ButterworthBandShelf2", 6, "Butterworth Band Shelf", {kSampleRate, Order(2), kCenter, kHertz, kGain}},
        {"ButterworthLowPass1", 0, "Butterworth Low Pass", {kSampleRate, Order(1), kCutoff}},
        {"ButterworthLowPass2", 0, "Butterworth Low Pass", {kSampleRate, Order(2), kCutoff}},
        {"ButterworthLowPass4", 0, "Butterworth Low Pass", {kSampleRate, Order(4), kCutoff}},
        {"ButterworthLowPass8", 0, "Butterworth Low Pass", {kSampleRate, Order(8), kCutoff}},
        {"ButterworthHighPass1", 1, "Butterworth High Pass", {kSampleRate, Order(1), kCutoff}},
        {"ButterworthHighPass2", 1, "Butterworth High Pass", {kSampleRate, Order(2), kCutoff}},
        {"ButterworthHighPass4", 1, "Butterworth High Pass", {kSampleRate, Order(4), kCutoff}},
        {"ButterworthHighPass8", 1, "Butterworth High Pass", {kSampleRate, Order(8), kCutoff}},
        {"ButterworthBandPass2", 1, "Butterworth Band Pass", {kSampleRate, Order(2), kCenter, kHertz}},
        {"ButterworthBandStop2", 1, "Butterworth Band Stop", {kSampleRate, Order(2), kCenter, kHertz}},
        {"ChebyshevILowPass4FormI", 0, "Chebyshev I Low Pass", {kSampleRate, Order(4), kCutoff, kRipple}},
        {"ChebyshevIHighPass4FormI", 1, "Chebyshev I High Pass", {kSampleRate, Order(4), kCutoff, kRipple}},
        {"ChebyshevILowPass4", 0, "Chebyshev I Low Pass", {kSampleRate, Order(4), kCutoff, kRipple}},
        {"ChebyshevIHighPass4", 1, "Chebyshev I High Pass", {kSampleRate, Order(4), kCutoff, kRipple}},
        {"ChebyshevILowPass8", 0, "Chebyshev I Low Pass", {kSampleRate, Order(8), kCutoff, kRipple}},
        {"ChebyshevIHighPass8", 1, "Chebyshev I High Pass", {kSampleRate, Order(8), kCutoff, kRipple}},
        {"EllipticLowPass4", 0, "Elliptic Low Pass", {kSampleRate, Order(4), kCutoff, kRipple, kWidth}},
        {"EllipticHighPass4", 1, "Elliptic High Pass", {kSampleRate, Order(4), kCutoff, kRipple, kWidth}},
        {"EllipticBandPass4", 1, "Elliptic Band Pass", {kSampleRate, Order(4), kCenter, kHertz, kRipple, kWidth}},
        {"EllipticBandStop4", 1, "Elliptic Band Stop", {kSampleRate, Order(4), kCenter, kHertz, kRipple, kWidth}},
        {"BesselLowPass4", 0, "Bessel Low Pass", {kSampleRate, Order(4), kCutoff}},
        {"BesselHighPass4", 1, "Bessel High Pass", {kSampleRate, Order(4), kCutoff}},
        {"BesselBandPass4", 1, "Bessel Band Pass", {kSampleRate, Order(4), kCenter, kHertz}},
        {"BesselBandStop4", 1, "Bessel Band Stop", {kSampleRate, Order(4), kCenter, kHertz}},
        {"RbjLowPass", 0, "RBJ Low Pass", {kSampleRate, kCutoff, kResonance}},
        {"RbjHighPass", 1, "RBJ High Pass", {kSampleRate, kCutoff, kResonance}},
        {"RbjBandPass1", 2, "RBJ Band Pass 1", {kSampleRate, kCenter, kOctaves}},
        {"RbjBandPass2", 2, "RBJ Band Pass 2", {kSampleRate, kCenter, kOctaves}},
        {"RbjBandStop", 3, "RBJ Band Stop", {kSampleRate, kCenter, kOctaves}},
    };
    return table;
}

TEST(ParamInfo, EveryDesignReportsItsKindNameAndRecords)
{
    const auto& designs = AllDesigns();
    ASSERT_EQ(designs.size(), Expected().size());
    for (size_t d = 0; d < designs.size(); ++d) {
        const DesignRecords& expected = Expected()[d];
        ASSERT_EQ(designs[d].label, expected.label);
        SCOPED_TRACE(expected.label);
        const auto filter = designs[d].make();
        EXPECT_EQ(filter->GetKind(), expected.kind);
        EXPECT_EQ(filter->GetName(), expected.name);
        EXPECT_EQ(filter->GetNumChannels(), 2);
        ASSERT_EQ(filter->GetNumParams(), static_cast<int>(expected.rows.size()));
        for (int i = 0; i < filter->GetNumParams(); ++i) {
            const Dsp::ParamInfo info = filter->GetParamInfo(i);
            const Row& row = expected.rows[i];
            EXPECT_EQ(info.id, row.id) << i;
            EXPECT_STREQ(info.label, row.label) << i;
            EXPECT_STREQ(info.name, row.name) << i;
            EXPECT_EQ(info.minValue, row.minValue) << i;
            EXPECT_EQ(info.maxValue, row.maxValue) << i;
            EXPECT_EQ(info.defaultValue, row.defaultValue) << i;
        }
    }
}

TEST(ParamInfo, IndexOutsideTheListThrowsAndChangesNothing)
{
    for (const DesignEntry& entry : AllDesigns()) {
        SCOPED_TRACE(entry.label);
        const auto filter = entry.make();
        ApplyDefaults(*filter);
        const Dsp::FilterParams before = filter->params;
        for (int index : {filter->GetNumParams(), 7, 8, 100, -1}) {
            try {
                filter->GetParamInfo(index);
                ADD_FAILURE() << "index " << index << " did not throw";
            } catch (const std::logic_error& error) {
                EXPECT_STREQ(error.what(), "invalid usage of ParamInfo");
            }
        }
        EXPECT_EQ(filter->params, before);
    }
}

// The converters of each id, taken from a design that has it.
Dsp::ParamInfo Record(const char* designLabel, int id)
{
    for (const DesignEntry& entry : AllDesigns()) {
        if (entry.label == designLabel) {
            const auto filter = entry.make();
            return filter->GetParamInfo(FindParam(*filter, id));
        }
    }
    ADD_FAILURE() << designLabel;
    return {};
}

TEST(ParamInfo, ConvertersMapValuesAndNormalisedValues)
{
    struct Case {
        const char* design;
        int id;
        double value;
        double normalised;
    };
    const Case cases[] = {
        {"RbjLowPass", 0, 11025, 0.0},
        {"RbjLowPass", 0, 192000, 1.0},
        {"RbjLowPass", 1, 10, 0.0},
        {"RbjLowPass", 1, 22040, 1.0},
        {"RbjLowPass", 1, 10 * std::sqrt(2204.0), 0.5},
        {"RbjLowPass", 2, 1, 0.5},
        {"RbjLowPass", 2, 0.0625, 0.0},
        {"RbjLowPass", 2, 16, 1.0},
        {"RbjBandStop", 3, 16, 1.0},
        {"RbjBandStop", 3, 0.0625, 0.0},
        {"ButterworthBandShelf2", 4, 10 * std::sqrt(2204.0), 0.5},
        {"ButterworthBandShelf2", 5, 0, 0.5},
        {"ButterworthBandShelf2", 5, -24, 0.0},
        {"EllipticLowPass4", 8, 0.001 + 11.999 * 0.25, 0.25},
        {"EllipticLowPass4", 10, -6, 0.5},
        {"EllipticLowPass4", 7, 1, 0.0},
        {"EllipticLowPass4", 7, 4, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.design) + " id " + std::to_string(c.id) + " value " + std::to_string(c.value));
        const Dsp::ParamInfo info = Record(c.design, c.id);
        EXPECT_NEAR(info.toNormalised(info, c.value), c.normalised, 1e-12);
        EXPECT_NEAR(info.fromNormalised(info, c.normalised), c.value, 1e-9 * std::fabs(c.value));
    }
}

TEST(ParamInfo, OrderRoundsToTheNearestInteger)
{
    const Dsp::ParamInfo order4 = Record("EllipticLowPass4", 7);
    EXPECT_EQ(order4.fromNormalised(order4, 0.5), 3.0);
    EXPECT_EQ(order4.fromNormalised(order4, 0.1), 1.0);
    EXPECT_EQ(order4.fromNormalised(order4, 0.9), 4.0);
    const Dsp::ParamInfo cutoff = Record("RbjLowPass", 1);
    EXPECT_NEAR(cutoff.toNormalised(cutoff, 2000), 0.688, 0.0005);
}

TEST(ParamInfo, TextsFollowEachRecordsFormat)
{
    struct Case {
        const char* design;
        int id;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {"RbjLowPass", 0, 44100, "44100 Hz"},
        {"RbjLowPass", 1, 2000.9, "2000 Hz"},
        {"RbjLowPass", 1, 0.5, "0 Hz"},
        {"RbjLowPass", 2, 1, "1.000"},
        {"RbjLowPass", 2, 16, "16.000"},
        {"EllipticLowPass4", 10, -16, "-16.000"},
        {"EllipticLowPass4", 7, 3.7, "3"},
        {"ButterworthLowShelf2", 5, -6, "-6.00 dB"},
        {"ButterworthLowShelf2", 5, 0.5, "0.500 dB"},
        {"ButterworthLowShelf2", 5, 9.99, "9.99 dB"},
        {"ButterworthLowShelf2", 5, 10, "10.0 dB"},
        {"ButterworthLowShelf2", 5, -12, "-12.0 dB"},
        {"EllipticLowPass4", 8, 0.01, "0.010 dB"},
    };
    for (const Case& c : cases) {
        const Dsp::ParamInfo info = Record(c.design, c.id);
        EXPECT_EQ(info.toText(info, c.value), c.text) << c.design << " id " << c.id;
    }
    // A value far outside the range still gets its whole text: 301 digits.
    const Dsp::ParamInfo cutoff = Record("RbjLowPass", 1);
    const std::string huge = cutoff.toText(cutoff, 1e300);
    EXPECT_EQ(huge.size(), 301u + 3u);
    EXPECT_EQ(huge.substr(0, 4), "1000");
    EXPECT_EQ(huge.substr(huge.size() - 3), " Hz");
}

} // namespace
