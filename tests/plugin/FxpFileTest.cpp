#include "plugin/Zarvotone.h"
#include "tests/dsp_units_files/TempFile.h"
#include "tests/plugin/StateBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>

namespace
{
constexpr size_t kFileSize = 60 + 8 + 22264;
constexpr size_t kFileLimit = 4 * 1024 * 1024;

Bytes FileBytes(const TempFile& file)
{
    const std::string text = file.Read();
    return Bytes(text.begin(), text.end());
}

void WriteBytes(const TempFile& file, const Bytes& bytes)
{
    file.Write(std::string(bytes.begin(), bytes.end()));
}

uint32_t GetBigEndian(const Bytes& bytes, size_t offset)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = (value << 8) | bytes.at(offset + i);
    return value;
}

void PutBigEndian(Bytes& bytes, size_t offset, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        bytes.at(offset + i) = static_cast<uint8_t>(value >> (8 * (3 - i)));
}

uint32_t Tag(const char (&text)[5])
{
    return GetBigEndian(Bytes(text, text + 4), 0);
}

void SetParam(Zarvotone& plugin, int index, double value)
{
    plugin.GetParam(index)->SetPlain(value);
    plugin.ParamChanged(index);
}

// The parameter form: the chunk form's header with one big-endian float per parameter after
// the name.
Bytes ParameterForm(const Bytes& chunkFile, const std::function<float(int)>& value)
{
    Bytes bytes(chunkFile.begin(), chunkFile.begin() + 56);
    PutBigEndian(bytes, 8, Tag("FxCk"));
    bytes.resize(56 + 4 * 85);
    PutBigEndian(bytes, 4, static_cast<uint32_t>(bytes.size() - 8));
    for (int i = 0; i < 85; ++i)
        PutBigEndian(bytes, 56 + 4 * static_cast<size_t>(i), std::bit_cast<uint32_t>(value(i)));
    return bytes;
}

// An instance whose state differs from a new one's, and the file it saves.
class SavedProgram : public testing::Test
{
protected:
    SavedProgram()
    {
        SetParam(source, kParamDistortionAmount, 0.6);
        SetParam(source, kParamDistortionType, 0.5);
        source.ModifyCurrentPreset("Saved Program");
        source.Config().SetLastSelectedProgramFile("earlier.wz");
        sourceState = StateBytes(source);
        saved = source.SaveFxpFile(file.Path());
        image = FileBytes(file);
    }

    Zarvotone source{nullptr};
    TempFile file{".fxp"};
    Bytes sourceState;
    bool saved = false;
    Bytes image;
};

TEST_F(SavedProgram, FileHasTheChunkFormLayout)
{
    ASSERT_TRUE(saved);
    ASSERT_EQ(image.size(), kFileSize);
    const struct
    {
        size_t offset;
        uint32_t value;
    } fields[] = {{0, Tag("CcnK")}, {4, 22324}, {8, Tag("FPCh")}, {12, 1}, {16, Tag("zv10")},
                  {20, 10100},      {24, 85},    {56, 22272}};
    for (const auto& f : fields)
        EXPECT_EQ(GetBigEndian(image, f.offset), f.value) << f.offset;
    EXPECT_EQ(std::string(image.begin() + 28, image.begin() + 41), "Saved Program");
    EXPECT_EQ(image[41], 0);
    EXPECT_EQ(std::string(image.begin() + 60, image.begin() + 64), "tffp");
    EXPECT_EQ(Difference(Bytes(image.begin() + 68, image.end()), sourceState), "");
    EXPECT_EQ(std::string(source.Config().LastSelectedProgramFile), file.Path());
}

TEST_F(SavedProgram, LongNameIsCutTo27Characters)
{
    source.ModifyCurrentPreset("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
    ASSERT_TRUE(source.SaveFxpFile(file.Path()));
    const Bytes bytes = FileBytes(file);
    EXPECT_EQ(std::string(bytes.begin() + 28, bytes.begin() + 55), "ABCDEFGHIJKLMNOPQRSTUVWXYZ0");
    EXPECT_EQ(bytes[55], 0);
}

TEST_F(SavedProgram, AcceptedVariantsLoadTheSavedState)
{
    ASSERT_TRUE(saved);
    const struct
    {
        const char* name;
        std::function<void(Bytes&)> change;
    } cases[] = {
        {"as saved", [](Bytes&) {}},
        {"byte size 0", [](Bytes& b) { PutBigEndian(b, 4, 0); }},
        {"byte size of the whole file", [](Bytes& b) { PutBigEndian(b, 4, static_cast<uint32_t>(b.size())); }},
        {"bytes after the chunk", [](Bytes& b) { b.resize(b.size() + 100, 0xEE); }},
        {"chunk without its header",
         [](Bytes& b) {
             b.erase(b.begin() + 60, b.begin() + 68);
             PutBigEndian(b, 56, 22264);
         }},
    };
    for (const auto& c : cases)
    {
        Bytes bytes = image;
        c.change(bytes);
        WriteBytes(file, bytes);
        Zarvotone target(nullptr);
        ASSERT_TRUE(target.LoadFxpFile(file.Path())) << c.name;
        EXPECT_EQ(Difference(StateBytes(target), sourceState), "") << c.name;
        EXPECT_STREQ(target.GetPreset(target.GetCurrentPreset())->name, "Saved Program") << c.name;
    }
}

TEST_F(SavedProgram, RefusedFilesChangeNothing)
{
    ASSERT_TRUE(saved);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    const struct
    {
        const char* name;
        std::function<void(Bytes&)> change;
    } cases[] = {
        {"55 bytes", [](Bytes& b) { b.resize(55); }},
        {"another file magic", [](Bytes& b) { PutBigEndian(b, 0, Tag("CcnQ")); }},
        {"another plug-in", [](Bytes& b) { PutBigEndian(b, 16, Tag("zv11")); }},
        {"84 parameters", [](Bytes& b) { PutBigEndian(b, 24, 84); }},
        {"format version 2", [](Bytes& b) { PutBigEndian(b, 12, 2); }},
        {"another format", [](Bytes& b) { PutBigEndian(b, 8, Tag("FBCh")); }},
        {"byte size beyond the file", [](Bytes& b) { PutBigEndian(b, 4, static_cast<uint32_t>(b.size()) + 1); }},
        {"negative byte size", [](Bytes& b) { PutBigEndian(b, 4, 0xFFFFFFFF); }},
        {"chunk size beyond the file", [](Bytes& b) { PutBigEndian(b, 56, 22273); }},
        {"chunk size near the int limit", [](Bytes& b) { PutBigEndian(b, 56, 0x7FFFFFF0); }},
        {"chunk size 0", [](Bytes& b) { PutBigEndian(b, 56, 0); }},
        {"chunk one byte shorter than its block", [](Bytes& b) { PutBigEndian(b, 56, 22271); }},
        {"damaged block", [](Bytes& b) { b[68] = 0x47; }},
        {"larger than the limit", [](Bytes& b) { b.resize(kFileLimit + 1, 0); }},
        {"parameter form one byte short",
         [](Bytes& b) {
             b = ParameterForm(b, [](int) { return 0.5f; });
             b.pop_back();
         }},
        {"parameter form with NaN",
         [nan](Bytes& b) { b = ParameterForm(b, [nan](int i) { return i == 9 ? nan : 0.5f; }); }},
        {"parameter form with infinity",
         [infinity](Bytes& b) { b = ParameterForm(b, [infinity](int i) { return i == 84 ? -infinity : 0.5f; }); }},
    };
    Zarvotone target(nullptr);
    SetParam(target, kParamGateLevel, 0.25);
    target.ModifyCurrentPreset("Target");
    target.Config().SetLastSelectedProgramFile("target.wz");
    const Bytes before = StateBytes(target);
    for (const auto& c : cases)
    {
        Bytes bytes = image;
        c.change(bytes);
        WriteBytes(file, bytes);
        EXPECT_FALSE(target.LoadFxpFile(file.Path())) << c.name;
        EXPECT_EQ(Difference(StateBytes(target), before), "") << c.name;
        EXPECT_STREQ(target.GetPreset(target.GetCurrentPreset())->name, "Target") << c.name;
    }
}

TEST_F(SavedProgram, ParameterFormSetsEveryValue)
{
    // Out-of-range values are limited; the band link stays off so both cutoffs keep their own values.
    const auto value = [](int i) {
        return i == 3 ? 1.5f : i == 4 ? -0.5f : i == kParamBandLink ? 0.0f : static_cast<float>(i % 10) / 8.0f;
    };
    WriteBytes(file, ParameterForm(image, value));
    Zarvotone target(nullptr);
    ASSERT_TRUE(target.LoadFxpFile(file.Path()));
    for (int i = 0; i < 85; ++i)
    {
        const IParameter* param = target.GetParam(i);
        const double expected = param->FromNormalized(std::clamp(static_cast<double>(value(i)), 0.0, 1.0));
        EXPECT_EQ(param->Value(), expected) << i;
        if (i < kWorkingParamCount)
        {
            EXPECT_EQ(target.CurrentValues().Get(i), expected) << i;
        }
    }
    EXPECT_STREQ(target.GetPreset(target.GetCurrentPreset())->name, "Saved Program");
    EXPECT_EQ(std::string(target.Config().LastSelectedProgramFile), file.Path());
}

TEST(FxpFile, FailedOperationsReportFailure)
{
    TempFile file(".fxp");
    Zarvotone plugin(nullptr);
    plugin.Config().SetLastSelectedProgramFile("kept.wz");
    const std::string noFolder = file.Path() + ".missing/program.fxp";
    EXPECT_FALSE(plugin.SaveFxpFile(""));
    EXPECT_FALSE(plugin.SaveFxpFile(noFolder));
    EXPECT_FALSE(std::filesystem::exists(file.Path() + ".missing"));
    EXPECT_FALSE(plugin.LoadFxpFile(""));
    EXPECT_FALSE(plugin.LoadFxpFile(file.Path()));
    EXPECT_STREQ(plugin.Config().LastSelectedProgramFile, "kept.wz");
}
}
