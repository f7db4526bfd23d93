#include "graphics/BlendPixel.h"
#include "graphics/RasterBlit.h"
#include "graphics/RasterFillRect.h"
#include "graphics/RasterMode.h"
#include "tests/graphics_raster/RasterTestBitmap.h"

#include <gtest/gtest.h>

#include <array>

namespace
{
constexpr uint32_t kDestination = 0x80C04010;
constexpr uint32_t kSource = 0xA03080F0;
constexpr std::array<int32_t, 7> kWeights = {0, 1, 64, 128, 192, 255, 256};

struct ModeRow
{
    uint32_t mode;
    std::array<uint32_t, 7> expected;
};

// Destination 0x80C04010 combined with source 0xA03080F0 at each weight, from the formulas
// worked through by hand (the copy row at 128 is the half-word path, at 256 the row move).
constexpr ModeRow kBlitRows[] = {
    {0x0, {0x80C04010, 0x81BF4111, 0x889C5048, 0x90786080, 0x985470B8, 0xA03080F0, 0xA03080F0}},
    {0x1, {0x80C04010, 0x80C04010, 0xA8CC604C, 0xD0D88088, 0xF8E4A0C4, 0xFFEFBFFF, 0xFFF0C0FF}},
    {0x2, {0x80C04010, 0x80C04010, 0x97C94914, 0xBAD3551E, 0xF0DF6635, 0xFFEB7FF0, 0xFFEC80FF}},
    {0x3, {0x80C04010, 0x7FBF3F0F, 0x7499380F, 0x6872300F, 0x5C4B280F, 0x5024200F, 0x5024200F}},
    {0x4, {0x80C04010, 0x80BF4010, 0x84B84013, 0x88B14016, 0x8CA94019, 0x8FA2401D, 0x90A2401D}},
    {0x5, {0x80C04010, 0xA0C03F11, 0xA0F81644, 0xA0FF16B2, 0xA0DE16FF, 0xA07516FF, 0xA07116FF}},
    {0x10000, {0x80C04010, 0x80C04010, 0xA8A94A33, 0xD0935456, 0xF87C5E79, 0xFF66689C, 0xFF65699D}},
    {0x10001, {0x80C04010, 0x80C04010, 0x99C75435, 0xB2CF685B, 0xCBD67C80, 0xE4DE90A6, 0xE4DE90A6}},
    {0x10002, {0x80C04010, 0x80C04010, 0x8DC54512, 0x9FCB4B16, 0xB5D2531C, 0xD2D95D26, 0xD2D95D26}},
    {0x10003, {0x80C04010, 0x80C04010, 0x78A73B0F, 0x718F360F, 0x6976310F, 0x625E2C0F, 0x615D2B0F}},
    {0x10004, {0x80C04010, 0x80C04010, 0x82BB4012, 0x85B64014, 0x87B14016, 0x8AAD4018, 0x8AAD4018}},
    {0x10005, {0x80C04010, 0xA0C03F11, 0xA0E31417, 0xA0FF165F, 0xA0FF16A4, 0xA0FF16E9, 0xA0FF16E9}},
};

// The same pair as a fill: copy has whole-word paths at 64, 128, 192 and 256 and moves alpha
// towards the weight; the other modes take the weight as the source alpha.
constexpr ModeRow kFillRows[] = {
    {0, {0x80C04010, 0x7FBF4111, 0x889C5048, 0x90786080, 0x985470B8, 0xFF3080F0, 0xA03080F0}},
    {1, {0x80C04010, 0x80C04010, 0x90CC604C, 0xC0D88088, 0xFFE4A0C4, 0xFFEFBFFF, 0xFFF0C0FF}},
    {2, {0x80C04010, 0x80C04010, 0x88C94914, 0xAAD3551E, 0xFFDF6635, 0xFFEB7FF0, 0xFFEC80FF}},
    {3, {0x80C04010, 0x7FBF3F0F, 0x6899380F, 0x6072300F, 0x684B280F, 0x7F24200F, 0x8024200F}},
    {4, {0x80C04010, 0x7FBF4010, 0x78B84013, 0x80B14016, 0x98A94019, 0xBFA2401D, 0xC0A2401D}},
    {5, {0x80C04010, 0x01C03F11, 0x40F81644, 0x80FF16B2, 0xC0DE16FF, 0xFF7516FF, 0x007116FF}},
};

float AlphaOf(int32_t w)
{
    return static_cast<float>(w) / 256.0f;
}

uint32_t BlitOnePixel(uint32_t destination, uint32_t source, float alpha, uint32_t mode)
{
    TestBitmap d(1, 1, destination), s(1, 1, source);
    RasterBlit(&d, &s, 0, 0, nullptr, alpha, mode);
    return d.At(0, 0);
}

uint32_t FillOnePixel(uint32_t destination, uint32_t colour, float alpha, uint32_t mode)
{
    TestBitmap d(1, 1, destination);
    RasterFillRect(&d, 0, 0, 1, 1, colour, alpha, mode);
    return d.At(0, 0);
}
}

TEST(BlendModes, BlitFormulasAtEveryWeight)
{
    for (const ModeRow& row : kBlitRows)
        for (size_t i = 0; i < kWeights.size(); ++i)
            EXPECT_EQ(BlitOnePixel(kDestination, kSource, AlphaOf(kWeights[i]), row.mode), row.expected[i])
                << std::hex << "mode 0x" << row.mode << std::dec << " weight " << kWeights[i];
}

TEST(BlendModes, FillFormulasAtEveryWeight)
{
    for (const ModeRow& row : kFillRows)
        for (size_t i = 0; i < kWeights.size(); ++i)
            EXPECT_EQ(FillOnePixel(kDestination, kSource, AlphaOf(kWeights[i]), row.mode), row.expected[i])
                << "mode " << row.mode << " weight " << kWeights[i];
}

TEST(BlendModes, NamedCases)
{
    struct Case
    {
        const char* what;
        uint32_t result;
        uint32_t expected;
    };
    const Case cases[] = {
        {"weighted copy of 255 over 0 at 128", BlitOnePixel(0, 0xFFFFFFFF, 128.5f / 256, RasterModeCopy), 0x80808080},
        {"half-alpha copy path", BlitOnePixel(0, 0xFFFFFFFF, 0.5f, RasterModeCopy), 0x7F7F7F7F},
        {"multiply white over white", BlitOnePixel(0xFFFFFFFF, 0xFFFFFFFF, 1.0f, RasterModeMultiply), 0xFEFEFEFE},
        {"HSV neutral source keeps a grey", BlitOnePixel(0xFF606060, 0x80808080, 1.0f, RasterModeHsvAdjust), 0x80606060},
        {"dodge with 255 saturates nonzero bytes", BlitOnePixel(0x00100001, 0xFFFFFFFF, 1.0f, RasterModeDodge), 0x00FF00FF},
        {"source alpha 0 leaves the pixel", BlitOnePixel(0x11223344, 0x00FFFFFF, 1.0f, RasterModeSourceAlpha), 0x11223344},
        {"source alpha 255 copies the colour", BlitOnePixel(0x11223344, 0xFF0A0B0C, 1.0f, RasterModeSourceAlpha), 0xFF0A0B0C},
        {"channel copy red into green", BlitOnePixel(0x11223344, 0xAABBCCDD, 1.0f, 0xF6), 0x1122BB44},
        {"channel copy ignores alpha and the source-alpha bit", BlitOnePixel(0x11223344, 0xAABBCCDD, 0.1f, 0x100FC), 0xDD223344},
        {"fill of half weight over opaque black", FillOnePixel(0xFF000000, 0xFFFFFFFF, 0.5f, RasterModeCopy), 0xFE7F7F7F},
        {"fill with a transparent colour under source alpha", FillOnePixel(0x11223344, 0x00FFFFFF, 1.0f, RasterModeSourceAlpha), 0x11223344},
        {"unknown blit mode", BlitOnePixel(0x11223344, 0xAABBCCDD, 1.0f, 6), 0x11223344},
        {"unknown fill mode", FillOnePixel(0x11223344, 0xAABBCCDD, 0.7f, 6), 0x11223344},
        {"alpha past 1 cannot overflow", BlitOnePixel(0x11223344, 0xAABBCCDD, 1e30f, RasterModeMultiply), BlitOnePixel(0x11223344, 0xAABBCCDD, 16.0f, RasterModeMultiply)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, c.expected) << c.what;
}

TEST(BlendModes, WeightTruncatesTowardZero)
{
    EXPECT_EQ(RasterWeight(1.0f), 256);
    EXPECT_EQ(RasterWeight(0.999f), 255);
    EXPECT_EQ(RasterWeight(-0.999f), -255);
    EXPECT_EQ(RasterWeight(0.001f), 0);
}
