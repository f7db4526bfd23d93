#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/curves/DistortionCurve.h"
#include "dsp/units/files/CurveArrayFile.h"
#include "dsp/units/files/CurveCsvFile.h"
#include "dsp/units/files/CurveText.h"
#include "dsp/units/files/CurveWavFile.h"
#include "tests/dsp_units_files/TempFile.h"
#include "tests/dsp_units_files/WavFixture.h"
#include "tests/support/TextLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace
{
constexpr uint16_t kPoints = 2048;

std::string CsvOf(int count, double value, const char* separator)
{
    std::string text;
    for (int i = 0; i < count; ++i)
    {
        if (i > 0)
            text += separator;
        text += std::to_string(value);
    }
    return text;
}

WavFixture FloatWav(int frames, double (*sample)(int))
{
    WavFixture fixture;
    fixture.format = 3;
    fixture.bits = 32;
    for (int i = 0; i < frames; ++i)
        fixture.Add(static_cast<float>(sample(i)));
    return fixture;
}
}

TEST(CurveFiles, CsvImportTakesTheFileOrLeavesTheCurve)
{
    struct Case
    {
        const char* what;
        std::string contents;
        bool taken;
        double point5;
    };
    const Case cases[] = {
        {"one line", CsvOf(2048, 0.25, ","), true, 0.25},
        {"line breaks after commas", CsvOf(2048, -0.5, ",\r\n"), true, -0.5},
        {"too few values", CsvOf(2047, 0.25, ","), false, 5 * (2.0 / 2047) - 1.0},
        {"empty file", "", false, 5 * (2.0 / 2047) - 1.0},
    };
    for (const Case& c : cases)
    {
        TempFile file(".csv");
        file.Write(c.contents);
        DistortionCurve curve(kPoints);
        EXPECT_EQ(CurveCsvFile::Import(&curve, file.Path()), c.taken) << c.what;
        EXPECT_EQ(curve.Points()[5], c.point5) << c.what;
    }
    DistortionCurve curve(kPoints);
    EXPECT_FALSE(CurveCsvFile::Import(&curve, TempFile(".csv").Path()));
    EXPECT_FALSE(CurveCsvFile::Import(nullptr, TempFile(".csv").Path()));
}

TEST(CurveFiles, CsvImportRefusesFilesOfTenMebibytes)
{
    std::string contents = CsvOf(2048, 0.25, ",");
    contents.resize(0xA00000, ' ');
    TempFile file(".csv");
    file.Write(contents);
    DistortionCurve curve(kPoints);
    EXPECT_FALSE(CurveCsvFile::Import(&curve, file.Path()));
}

TEST(CurveFiles, WavImportNormalisesAndResamplesToTheCurve)
{
    struct Case
    {
        const char* what;
        int frames;
        double (*sample)(int);
        double peak;
    };
    const Case cases[] = {
        {"2048 frames point for point", 2048, [](int i) { return 0.5 * std::sin(i * 0.003); }, 1.0},
        {"4096 frames halved", 4096, [](int i) { return 0.25 * std::sin(i * 0.0015); }, 1.0},
        {"1024 frames doubled", 1024, [](int i) { return 0.8 * std::sin(i * 0.006); }, 1.0},
        {"two frames", 2, [](int i) { return 0.3 - 0.1 * i; }, 1.0},
        {"silence", 3000, [](int) { return 0.0; }, 0.0},
        {"NaN samples become 0", 2048,
         [](int i) { return i % 2 ? std::numeric_limits<double>::quiet_NaN() : 0.5 * std::sin(i * 0.003); }, 1.0},
    };
    for (const Case& c : cases)
    {
        TempFile file(".wav");
        file.Write(FloatWav(c.frames, c.sample).BuildText());
        DistortionCurve curve(kPoints);
        ASSERT_TRUE(CurveWavFile::Import(&curve, file.Path())) << c.what;
        EXPECT_NEAR(PeakMagnitude(curve.Points(), kPoints), c.peak, 1e-12) << c.what;
        for (int32_t i = 0; i < kPoints; ++i)
            ASSERT_TRUE(std::isfinite(curve.Points()[i])) << c.what << " point " << i;
    }
}

TEST(CurveFiles, WavImportOfExactLengthKeepsTheShape)
{
    TempFile file(".wav");
    file.Write(FloatWav(2048, [](int i) { return i < 1024 ? -0.5 : 0.25; }).BuildText());
    DistortionCurve curve(kPoints);
    ASSERT_TRUE(CurveWavFile::Import(&curve, file.Path()));
    EXPECT_EQ(curve.Points()[0], -1.0);
    EXPECT_EQ(curve.Points()[2047], 0.5);
}

TEST(CurveFiles, WavImportRefusesUnreadableOrEmptyFiles)
{
    TempFile empty(".wav");
    empty.Write(FloatWav(0, nullptr).BuildText());
    TempFile garbage(".wav");
    garbage.Write(std::string(100, 'x'));
    DistortionCurve curve(kPoints);
    for (const std::string& path : {empty.Path(), garbage.Path(), TempFile(".wav").Path()})
    {
        EXPECT_FALSE(CurveWavFile::Import(&curve, path)) << path;
        EXPECT_EQ(curve.Points()[0], -1.0);
    }
    EXPECT_FALSE(CurveWavFile::Import(nullptr, empty.Path()));
}

TEST(CurveFiles, WavExportWritesOneFloatPerPointAndReadsBack)
{
    DistortionCurve curve(kPoints);
    for (int32_t i = 0; i < kPoints; ++i)
        curve.EditablePoints()[i] = 0.75 * std::sin(i * 0.004);
    TempFile file(".wav");
    ASSERT_TRUE(CurveWavFile::Export(&curve, file.Path()));
    EXPECT_EQ(file.Read().size(), 8236u);

    DistortionCurve back(kPoints);
    ASSERT_TRUE(CurveWavFile::Import(&back, file.Path()));
    const double peak = PeakMagnitude(curve.Points(), kPoints);
    for (int32_t i = 0; i < kPoints; i += 97)
        EXPECT_NEAR(back.Points()[i], curve.Points()[i] / peak, 1e-6) << i;
    EXPECT_FALSE(CurveWavFile::Export(nullptr, file.Path()));
}

TEST(CurveFiles, ArrayExportLaysOutBothHalves)
{
    DistortionCurve curve(kPoints);
    curve.name = "Crunch Time/Belko";
    TempFile file(".txt");
    ASSERT_TRUE(CurveArrayFile::Export(&curve, file.Path()));
    const std::vector<std::string> lines = Lines(file.Read());
    ASSERT_EQ(lines.size(), 261u);
    EXPECT_EQ(lines[0], "// Wezmark distortion-curve data: Crunch Time/Belko");
    EXPECT_EQ(lines[1], "double curve_data[] = { ");
    EXPECT_EQ(lines[2], "  /* negative part */");
    EXPECT_EQ(lines[3].substr(0, 40), "  -1.000000000000000,-0.999022960429897,");
    EXPECT_EQ(lines[131], "  /* positive part */");
    EXPECT_EQ(lines[259].substr(lines[259].size() - 18), ",1.000000000000000");
    EXPECT_EQ(lines[260], "  }; ");
    // Every value but the last is followed by a comma.
    int commas = 0;
    for (size_t i = 3; i <= 259; ++i)
        if (i != 131)
        {
            ASSERT_EQ(lines[i].substr(0, 2), "  ") << i;
            commas += static_cast<int>(std::count(lines[i].begin(), lines[i].end(), ','));
        }
    EXPECT_EQ(commas, 2047);
    EXPECT_FALSE(CurveArrayFile::Export(nullptr, file.Path()));
}
