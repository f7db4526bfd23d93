#include "framework/IEffectBase.h"

#include "tests/graphics_support/RecordingGraphics.h"
#include "tests/framework/TestEffect.h"

#include <gtest/gtest.h>

#include <ostream>

#include <climits>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;

Bytes BytesOf(const StateChunk& chunk)
{
    return Bytes(chunk.Data(), chunk.Data() + chunk.Size());
}

// Loads a bank into the effect from a chunk holding exactly these bytes.
int LoadBank(TestEffect& effect, const Bytes& bytes, int position)
{
    StateChunk chunk;
    chunk.AppendBytes(bytes.data(), static_cast<int64_t>(bytes.size()));
    return effect.UnserializePresets(chunk, position);
}

void AppendInt32(Bytes& bytes, int32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i)));
}

void AppendText(Bytes& bytes, const std::string& text)
{
    AppendInt32(bytes, static_cast<int32_t>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
}

Bytes BankOf(TestEffect& effect)
{
    StateChunk chunk;
    IEffectBase::WriteChunkHeader(chunk);
    effect.ModifyCurrentPreset(nullptr);
    EXPECT_TRUE(effect.SerializePresets(chunk));
    return BytesOf(chunk);
}

TEST(StateChunk, StoresLittleEndianNumbersAndTexts)
{
    StateChunk chunk;
    chunk.AppendInt32(-2);
    chunk.AppendDouble(1.0);
    chunk.AppendByte(7);
    chunk.AppendText("ab");
    EXPECT_EQ(BytesOf(chunk), (Bytes{0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 7, 2, 0, 0, 0, 'a', 'b'}));

    int32_t number = 5;
    double value = 0.0;
    uint8_t byte = 0;
    EXPECT_EQ(chunk.ReadInt32(number, 0), 4);
    EXPECT_EQ(number, -2);
    EXPECT_EQ(chunk.ReadDouble(value, 4), 12);
    EXPECT_EQ(value, 1.0);
    EXPECT_EQ(chunk.ReadByte(byte, 12), 13);
    EXPECT_EQ(byte, 7);
}

TEST(StateChunk, ReadsThatDoNotFitLeaveTheDestination)
{
    StateChunk chunk;
    chunk.AppendInt32(1);
    chunk.AppendInt32(2);
    const int positions[] = {-1, 5, 8, INT_MAX, INT_MIN};
    for (int position : positions)
    {
        int32_t number = 42;
        EXPECT_EQ(chunk.ReadInt32(number, position), -1) << position;
        EXPECT_EQ(number, 42);
        double value = 3.0;
        EXPECT_EQ(chunk.ReadDouble(value, position == 5 ? 1 : position), -1);
        EXPECT_EQ(value, 3.0);
    }
    char bytes[4] = {};
    EXPECT_EQ(chunk.ReadBytes(bytes, INT64_MAX, 0), -1);
}

TEST(IEffectBase, ChunkHeaderReplacesTheChunkWithMagicAndVersion)
{
    StateChunk chunk;
    chunk.AppendText("old contents");
    ASSERT_TRUE(IEffectBase::WriteChunkHeader(chunk));
    EXPECT_EQ(BytesOf(chunk), (Bytes{0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00}));
}

TEST(IEffectBase, ParamsSerialiseAsDoublesInIndexOrder)
{
    TestEffect effect;
    effect.SetDistinctValues(0.5);
    StateChunk chunk;
    ASSERT_TRUE(effect.SerializeParams(chunk));
    ASSERT_EQ(chunk.Size(), 85 * 8);
    for (int i = 0; i < 85; ++i)
    {
        double value = 0.0;
        chunk.ReadDouble(value, i * 8);
        EXPECT_EQ(value, effect.GetParam(i)->Value());
    }
}

TEST(IEffectBase, ShortParamDataStopsAtTheMissingValueAndStillAppliesAll)
{
    TestEffect effect;
    for (int i = 0; i < 5; ++i)
        effect.GetParam(i)->InitContinuous("p", 0.7, 0.2, 1.0, 0.01, "", "", 1.0);
    StateChunk chunk;
    for (double value : {0.3, 5.0, -1.0})
        chunk.AppendDouble(value);
    chunk.AppendInt32(0);  // not a whole double

    EXPECT_EQ(effect.UnserializeParams(chunk, 0), -1);
    EXPECT_EQ(effect.GetParam(0)->Value(), 0.3);
    EXPECT_EQ(effect.GetParam(1)->Value(), 1.0);
    EXPECT_EQ(effect.GetParam(2)->Value(), 0.2);
    EXPECT_EQ(effect.GetParam(3)->Value(), 0.2);  // 0.0 limited to the range
    EXPECT_EQ(effect.GetParam(4)->Value(), 0.7);
    ASSERT_EQ(effect.changedParams.size(), 85u);
    for (int i = 0; i < 85; ++i)
        EXPECT_EQ(effect.changedParams[i], i);
}

TEST(IEffectBase, UnserializedNonFiniteValuesBecomeDefaults)
{
    TestEffect effect;
    effect.GetParam(0)->InitContinuous("p", 0.7, 0.2, 1.0, 0.01, "", "", 1.0);
    effect.GetParam(1)->InitContinuous("p", 0.4, 0.0, 1.0, 0.01, "", "", 1.0);
    StateChunk chunk;
    chunk.AppendDouble(std::numeric_limits<double>::quiet_NaN());
    chunk.AppendDouble(-std::numeric_limits<double>::infinity());
    for (int i = 2; i < 85; ++i)
        chunk.AppendDouble(0.0);
    EXPECT_EQ(effect.UnserializeParams(chunk, 0), 85 * 8);
    EXPECT_EQ(effect.GetParam(0)->Value(), 0.7);
    EXPECT_EQ(effect.GetParam(1)->Value(), 0.4);
}

TEST(IEffectBase, MatchesValuesComparesInSinglePrecision)
{
    TestEffect effect;
    effect.SetDistinctValues(0.2);
    std::vector<double> values(90, 0.0);
    for (int i = 0; i < 85; ++i)
        values[i + 5] = effect.GetParam(i)->Value();
    EXPECT_TRUE(effect.MatchesValues(values.data(), 5));
    values[50] += 0.000001;
    EXPECT_TRUE(effect.MatchesValues(values.data(), 5));
    values[89] += 0.0001;
    EXPECT_FALSE(effect.MatchesValues(values.data(), 5));
}

TEST(IEffectBase, FactoryPresetsFillTheFirstFreeSlots)
{
    TestEffect effect;
    StateChunk state;
    state.AppendText("state");
    effect.GetPreset(1)->initialised = true;
    effect.AddFactoryPreset("First", state);
    effect.AddFactoryPreset("Second", state);
    EXPECT_STREQ(effect.GetPreset(0)->name, "First");
    EXPECT_STREQ(effect.GetPreset(1)->name, "empty");
    EXPECT_STREQ(effect.GetPreset(2)->name, "Second");
    EXPECT_EQ(BytesOf(effect.GetPreset(2)->state), BytesOf(state));

    for (int i = 0; i < 130; ++i)
        effect.AddFactoryPreset("More", state);
    EXPECT_STREQ(effect.GetPreset(127)->name, "More");
}

TEST(IEffectBase, SelectPresetRefusesIndexesOutsideTheList)
{
    TestEffect effect;
    for (int index : {-1, 128, INT_MAX, INT_MIN})
    {
        EXPECT_FALSE(effect.SelectPreset(index)) << index;
        EXPECT_EQ(effect.GetCurrentPreset(), 0);
    }
    EXPECT_EQ(effect.presetChanges, 0);
}

TEST(IEffectBase, SelectingAnUnusedPresetStoresTheStateAsTheNextUserPreset)
{
    TestEffect effect;
    effect.GetPreset(10)->SetName("user preset 1");
    effect.GetPreset(11)->SetName("my user preset");
    effect.SetDistinctValues(0.3);
    auto* graphics = new RecordingGraphics(&effect);
    graphics->BindControlsToParams(85);
    effect.AttachEditor(graphics);
    graphics->shownValues.clear();

    ASSERT_TRUE(effect.SelectPreset(20));
    const PresetSlot* preset = effect.GetPreset(20);
    EXPECT_STREQ(preset->name, "user preset 3");
    EXPECT_TRUE(preset->initialised);
    EXPECT_EQ(preset->state.Size(), 85 * 8);
    EXPECT_EQ(effect.GetCurrentPreset(), 20);
    EXPECT_EQ(effect.presetChanges, 1);
    EXPECT_EQ(graphics->shownValues.size(), 85u);
}

TEST(IEffectBase, SelectingAStoredPresetRestoresItsValues)
{
    TestEffect effect;
    effect.SetDistinctValues(0.4);
    ASSERT_TRUE(effect.SelectPreset(5));
    effect.SetDistinctValues(0.1);
    ASSERT_TRUE(effect.SelectPreset(6));
    ASSERT_TRUE(effect.SelectPreset(5));
    EXPECT_EQ(effect.GetParam(9)->Value(), 0.4 + 9 / 1000.0);

    effect.GetPreset(7)->initialised = true;  // but holding no state
    EXPECT_FALSE(effect.SelectPreset(7));
    EXPECT_EQ(effect.GetCurrentPreset(), 5);
}

TEST(IEffectBase, ModifyCurrentPresetStoresTheStateAndAGivenName)
{
    TestEffect effect;
    ASSERT_TRUE(effect.SelectPreset(3));
    effect.SetDistinctValues(0.6);
    effect.ModifyCurrentPreset("Renamed");
    EXPECT_STREQ(effect.GetPreset(3)->name, "Renamed");
    effect.ModifyCurrentPreset("");
    EXPECT_STREQ(effect.GetPreset(3)->name, "Renamed");
    double value = 0.0;
    effect.GetPreset(3)->state.ReadDouble(value, 8 * 2);
    EXPECT_EQ(value, 0.6 + 2 / 1000.0);

    const std::string longName(300, 'n');
    effect.ModifyCurrentPreset(longName.c_str());
    EXPECT_EQ(std::string(effect.GetPreset(3)->name), longName.substr(0, 255));
}

TEST(IEffectBase, BankRecordsHoldNameFlagAndStateOnlyWhenInitialised)
{
    TestEffect effect;
    const Bytes s = {1, 2, 3};
    const Bytes t = {4, 5};
    PresetSlot* first = effect.GetPreset(0);
    first->initialised = true;
    first->SetName("A");
    first->state.AppendBytes(s.data(), 3);
    effect.GetPreset(1)->SetName("");
    PresetSlot* third = effect.GetPreset(2);
    third->initialised = true;
    third->SetName("BC");
    third->state.AppendBytes(t.data(), 2);

    StateChunk chunk;
    ASSERT_TRUE(effect.SerializePresets(chunk));

    Bytes expected;
    AppendText(expected, "A");
    expected.push_back(1);
    expected.insert(expected.end(), s.begin(), s.end());
    AppendText(expected, "");
    expected.push_back(0);
    AppendText(expected, "BC");
    expected.push_back(1);
    expected.insert(expected.end(), t.begin(), t.end());
    for (int i = 3; i < 128; ++i)
    {
        AppendText(expected, "empty");
        expected.push_back(0);
    }
    EXPECT_EQ(BytesOf(chunk), expected);
}

TEST(IEffectBase, BankOfAllPresetsRoundTripsByteForByte)
{
    TestEffect source;
    for (int i = 0; i < 128; ++i)
    {
        source.SetDistinctValues(i / 256.0);
        StateChunk state;
        source.SerializeState(state);
        source.AddFactoryPreset(("Program " + std::to_string(i)).c_str(), state);
    }
    ASSERT_TRUE(source.SelectPreset(17));
    const Bytes bank = BankOf(source);

    TestEffect target;
    EXPECT_EQ(LoadBank(target, bank, IEffectBase::kChunkHeaderSize), static_cast<int>(bank.size()));
    EXPECT_STREQ(target.GetPreset(127)->name, "Program 127");
    // The bank does not carry the current index: the target stays on preset 0.
    EXPECT_EQ(target.GetParam(3)->Value(), 0.0 + 3 / 1000.0);
    EXPECT_EQ(BankOf(target), bank);
}

// Preset 0 is current; the final re-selection renames it when it holds nothing,
// so the names under test start at record 1.
Bytes BankStartingWithAnUnusedRecord()
{
    Bytes bank;
    AppendText(bank, "Zero");
    bank.push_back(0);
    return bank;
}

// A bank loads only whole: the records under test are followed by unused ones up to 128.
void CompleteWithUnusedRecords(Bytes& bank, int recordsSoFar)
{
    for (int i = recordsSoFar; i < IEffectBase::kPresetCount; ++i)
    {
        AppendText(bank, "");
        bank.push_back(0);
    }
}

TEST(IEffectBase, LongBankNamesAreCutButSkippedWhole)
{
    TestEffect effect;
    Bytes bank = BankStartingWithAnUnusedRecord();
    AppendText(bank, std::string(300, 'x'));
    bank.push_back(0);
    AppendText(bank, "Next");
    bank.push_back(0);
    CompleteWithUnusedRecords(bank, 3);
    ASSERT_EQ(LoadBank(effect, bank, 0), static_cast<int>(bank.size()));
    EXPECT_EQ(std::string(effect.GetPreset(1)->name), std::string(255, 'x'));
    EXPECT_STREQ(effect.GetPreset(2)->name, "Next");
}

TEST(IEffectBase, BankNameStopsAtAZeroByte)
{
    TestEffect effect;
    Bytes bank = BankStartingWithAnUnusedRecord();
    AppendText(bank, std::string("ab\0cd", 5));
    bank.push_back(0);
    AppendText(bank, "Next");
    bank.push_back(0);
    CompleteWithUnusedRecords(bank, 3);
    ASSERT_EQ(LoadBank(effect, bank, 0), static_cast<int>(bank.size()));
    EXPECT_STREQ(effect.GetPreset(1)->name, "ab");
    EXPECT_STREQ(effect.GetPreset(2)->name, "Next");
}

struct HostileBank
{
    const char* what;
    Bytes bytes;
};

void PrintTo(const HostileBank& c, std::ostream* out)
{
    std::ostream& os = *out;
    os << c.what;
}

Bytes WithLength(int32_t length, Bytes tail = {})
{
    Bytes bytes;
    AppendText(bytes, "Good");
    bytes.push_back(0);
    AppendInt32(bytes, length);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

class HostileBanks : public testing::TestWithParam<HostileBank>
{
};

TEST_P(HostileBanks, AreRefusedAfterTheLastWholeRecord)
{
    TestEffect effect;
    effect.SetDistinctValues(0.1);
    const double before = effect.GetParam(40)->Value();
    EXPECT_EQ(LoadBank(effect, GetParam().bytes, 0), -1);
    EXPECT_EQ(effect.GetParam(40)->Value(), before);
    for (int i = 2; i < 128; ++i)
        EXPECT_STREQ(effect.GetPreset(i)->name, "empty");
}

INSTANTIATE_TEST_SUITE_P(
    Chunks, HostileBanks,
    testing::Values(HostileBank{"empty", {}}, HostileBank{"short length", {1, 0}},
                    HostileBank{"negative length", WithLength(-1, Bytes(16, 'a'))},
                    HostileBank{"most negative length", WithLength(INT_MIN, Bytes(16, 'a'))},
                    HostileBank{"largest length", WithLength(INT_MAX, Bytes(16, 'a'))},
                    HostileBank{"length past the end", WithLength(17, Bytes(16, 'a'))},
                    HostileBank{"no flag", WithLength(2, {'o', 'k'})},
                    HostileBank{"short state", WithLength(2, {'o', 'k', 1, 0, 0, 0})}),
    [](const testing::TestParamInfo<HostileBank>& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (c == ' ')
                c = '_';
        return name;
    });
}
