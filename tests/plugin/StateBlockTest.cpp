#include "framework/vst2/Vst2Constants.h"
#include "plugin/StateBlock.h"
#include "tests/plugin/PluginRig.h"
#include "tests/plugin/StateBytes.h"
#include "tests/support/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>

namespace
{
constexpr size_t kBlockSize = 22264;
constexpr size_t kCurveOffset = 5200;
constexpr size_t kParamsOffset = 21584;
constexpr size_t kTextOffsets[] = {76, 1100, 2124, 3148, 4172};
constexpr size_t kTextSize = 1024;

int32_t GetInt32(const Bytes& bytes, size_t offset)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= uint32_t{bytes.at(offset + i)} << (8 * i);
    return static_cast<int32_t>(value);
}

std::string GetText(const Bytes& bytes, size_t offset)
{
    return std::string(reinterpret_cast<const char*>(bytes.data() + offset));
}

void SetParam(Zarvotone& plugin, int index, double value)
{
    plugin.GetParam(index)->SetPlain(value);
    plugin.ParamChanged(index);
}

uint8_t RandomByte(TestRandom& random)
{
    return static_cast<uint8_t>(random.Unit() * 256.0);
}

// A valid block with every field drawn at random: terminated texts with junk behind the
// terminator, curve points within -1..1, parameter values within their ranges.
Bytes RandomBlock(Zarvotone& plugin, uint32_t seed)
{
    TestRandom numbers(seed);
    Bytes block = StateBytes(plugin);
    for (size_t offset = 4; offset < 76; offset += 8)
        PutDouble(block, offset, numbers.Unit() * 1000.0);
    for (size_t text : kTextOffsets)
    {
        const auto length = static_cast<size_t>(numbers.Unit() * kTextSize);
        for (size_t i = 0; i < kTextSize; ++i)
            block[text + i] = i < length ? static_cast<uint8_t>('a' + RandomByte(numbers) % 26) : RandomByte(numbers);
        block[text + length] = 0;
    }
    for (size_t i = 0; i < 2048; ++i)
        PutDouble(block, kCurveOffset + 8 * i, 0.999 * (2.0 * numbers.Unit() - 1.0) + 0.0005);
    for (int index = 0; index < kTotalParamCount; ++index)
    {
        const double minimum = plugin.GetParam(index)->Minimum();
        PutDouble(block, kParamsOffset + 8 * static_cast<size_t>(index), minimum + numbers.Unit() * (1.0 - minimum));
    }
    // Linked band cutoffs follow each other, so a valid state holds them equal.
    PutDouble(block, kParamsOffset + 8 * kParamDistoBandCutoff, GetDouble(block, kParamsOffset + 8 * kParamSubBandCutoff));
    return block;
}

TEST(StateBlock, LayoutHoldsSettingsCurveAndValues)
{
    Zarvotone plugin(nullptr);
    plugin.Config().VisibleTab = 2.0;
    plugin.Config().ScopeZoom = 250.0;
    plugin.Config().SetLastSelectedProgramFile("C:\\programs\\crunch.wz");
    SetParam(plugin, kParamDistortionAmount, 0.75);
    const Bytes block = StateBytes(plugin);
    ASSERT_EQ(block.size(), kBlockSize);

    EXPECT_EQ(GetInt32(block, 0), 5192);
    EXPECT_EQ(GetInt32(block, 5196), 2133);
    const struct
    {
        size_t offset;
        double value;
    } doubles[] = {{4, 1.0},    {12, 1.0},   {20, 0.0},   {28, 5302.0},          {36, 2.0},
                   {44, 1.0},   {52, 1.0},   {60, 1.0},   {68, 250.0},           {kParamsOffset + 8 * 9, 0.75},
                   {kParamsOffset + 8 * 59, plugin.GetParam(59)->Value()}, {kParamsOffset + 8 * 84, 0.0}};
    for (const auto& d : doubles)
        EXPECT_EQ(GetDouble(block, d.offset), d.value) << d.offset;
    const char* texts[] = {"Zarvotone", "C:\\programs\\crunch.wz", "", "", ""};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(GetText(block, kTextOffsets[i]), texts[i]) << i;
    const DistortionCurve& curve = *plugin.Units().hostRate.chain1.distortion.current;
    for (size_t i : {size_t{0}, size_t{1024}, size_t{2047}})
        EXPECT_EQ(GetDouble(block, kCurveOffset + 8 * i), curve.Points()[i]) << i;
}

TEST(StateBlock, EveryFactoryPresetRoundTripsByteForByte)
{
    Zarvotone plugin(nullptr);
    for (int i = 0; i < plugin.GetPresetCount(); ++i)
    {
        const StateChunk& stored = plugin.GetPreset(i)->state;
        const Bytes storedBytes(stored.Data(), stored.Data() + stored.Size());
        ASSERT_EQ(plugin.UnserializeState(stored, 0), static_cast<int>(kBlockSize)) << i;
        EXPECT_EQ(Difference(StateBytes(plugin), storedBytes), "") << plugin.GetPreset(i)->name;
    }
}

// Points of the library beyond -1..1 are carried as a loaded curve holds them.
TEST(StateBlock, FactoryPresetsCarryTheBuiltInCurveOfTheirType)
{
    Zarvotone plugin(nullptr);
    const struct
    {
        int preset;
        CurveId curve;
    } cases[] = {{81, 80}, {98, 0}, {20, 22}, {125, 5}};
    for (const auto& c : cases)
    {
        const StateChunk& stored = plugin.GetPreset(c.preset)->state;
        const double* builtin = plugin.Units().hostRate.chain1.distortion.GetBuiltinCurveData(c.curve);
        ASSERT_NE(builtin, nullptr);
        const Bytes block(stored.Data(), stored.Data() + stored.Size());
        for (size_t i = 0; i < 2048; ++i)
            ASSERT_EQ(GetDouble(block, kCurveOffset + 8 * i), std::clamp(builtin[i], -1.0, 1.0)) << c.preset << " " << i;
    }
}

// Loaded and written again, a block comes back unchanged, wherever it starts in the chunk;
// only the reserved doubles are this instance's own.
TEST(StateBlock, RandomValidBlocksRoundTrip)
{
    Zarvotone plugin(nullptr);
    for (uint32_t seed = 1; seed <= 12; ++seed)
    {
        const Bytes block = RandomBlock(plugin, seed);
        const size_t start = seed % 2 == 0 ? 0 : 8;
        Bytes chunk(start + block.size(), 0x5A);
        std::copy(block.begin(), block.end(), chunk.begin() + static_cast<ptrdiff_t>(start));
        ASSERT_EQ(plugin.UnserializeState(ChunkOf(chunk), static_cast<int>(start)),
                  static_cast<int>(start + kBlockSize))
            << seed;
        Bytes expected = block;
        for (size_t i = 0; i < 4; ++i)
            PutDouble(expected, 4 + 8 * i, std::array<double, 4>{1.0, 1.0, 0.0, 5302.0}[i]);
        EXPECT_EQ(Difference(StateBytes(plugin), expected), "") << seed;
    }
}

TEST(StateBlock, RefusedBlocksChangeNothing)
{
    Zarvotone source(nullptr);
    SetParam(source, kParamDistortionAmount, 0.75);
    source.Config().SetLastSelectedProgramFile("elsewhere.wz");
    const Bytes good = StateBytes(source);

    const struct
    {
        const char* name;
        std::function<void(Bytes&)> damage;
        int start;
    } cases[] = {
        {"first marker 5191", [](Bytes& b) { PutInt32(b, 0, 5191); }, 0},
        {"second marker 2134", [](Bytes& b) { PutInt32(b, 5196, 2134); }, 0},
        {"one byte short", [](Bytes& b) { b.pop_back(); }, 0},
        {"one byte short behind a header", [](Bytes& b) { b.insert(b.begin(), 8, 0); b.pop_back(); }, 8},
        {"empty chunk", [](Bytes& b) { b.clear(); }, 0},
        {"start -1", [](Bytes&) {}, -1},
        {"start past the end", [](Bytes&) {}, static_cast<int>(kBlockSize)},
        {"start one byte in", [](Bytes&) {}, 1},
        {"start INT_MAX", [](Bytes&) {}, INT_MAX},
        {"start INT_MAX - 4", [](Bytes&) {}, INT_MAX - 4},
        {"start that wraps to the chunk", [](Bytes&) {}, INT_MAX - static_cast<int>(kBlockSize) + 2},
    };
    Zarvotone target(nullptr);
    const Bytes before = StateBytes(target);
    for (const auto& c : cases)
    {
        Bytes block = good;
        c.damage(block);
        EXPECT_EQ(target.UnserializeState(ChunkOf(block), c.start), -1) << c.name;
        EXPECT_EQ(Difference(StateBytes(target), before), "") << c.name;
    }
}

TEST(StateBlock, CurvePointsThatAreNotFiniteBecomeZeroInEveryChain)
{
    Zarvotone plugin(nullptr);
    Bytes block = StateBytes(plugin);
    const double values[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), 0.5};
    for (size_t i = 0; i < 4; ++i)
        PutDouble(block, kCurveOffset + 8 * i, values[i]);
    ASSERT_EQ(plugin.UnserializeState(ChunkOf(block), 0), static_cast<int>(kBlockSize));
    for (DistortionChain* chain : plugin.Units().Chains())
    {
        for (const DistortionCurve* curve : {&chain->distortion.storedCurve, chain->distortion.current})
        {
            EXPECT_EQ(curve->Points()[0], 0.0);
            EXPECT_EQ(curve->Points()[1], 0.0);
            EXPECT_EQ(curve->Points()[2], 0.0);
            EXPECT_EQ(curve->Points()[3], 0.5);
        }
    }
}

TEST(StateBlock, SettingsComeFromTheBlockButReservedValuesStay)
{
    Zarvotone plugin(nullptr);
    Bytes block = StateBytes(plugin);
    for (size_t i = 0; i < 4; ++i)
        PutDouble(block, 4 + 8 * i, 7.0);
    PutDouble(block, 36, 2.0);
    PutDouble(block, 68, 400.0);
    // Two texts without any terminator.
    std::memset(block.data() + kTextOffsets[1], 'p', kTextSize);
    std::memset(block.data() + kTextOffsets[4], 's', kTextSize);
    ASSERT_EQ(plugin.UnserializeState(ChunkOf(block), 0), static_cast<int>(kBlockSize));

    const PluginConfig& config = plugin.Config();
    EXPECT_EQ(config.Reserved, (std::array<double, 4>{1.0, 1.0, 0.0, 5302.0}));
    EXPECT_EQ(config.VisibleTab, 2.0);
    EXPECT_EQ(config.ScopeZoom, 400.0);
    EXPECT_EQ(std::string(config.LastSelectedProgramFile), std::string(kTextSize - 1, 'p'));
    EXPECT_EQ(std::string(config.SpareText2), std::string(kTextSize - 1, 's'));
}

TEST(StateBlock, SelectingAFactoryPresetResetsViewAndPaths)
{
    Zarvotone plugin(nullptr);
    PluginConfig& config = plugin.Config();
    config.VisibleTab = 2.0;
    config.ScopeZoom = 400.0;
    config.SetLastSelectedProgramFile("last.wz");
    std::strcpy(config.LastSelectedDistoCurveFile, "curve.csv");
    ASSERT_TRUE(plugin.SelectPreset(5));
    EXPECT_EQ(config.VisibleTab, 0.0);
    EXPECT_EQ(config.ScopeZoom, 100.0);
    EXPECT_STREQ(config.LastSelectedProgramFile, "");
    EXPECT_STREQ(config.LastSelectedDistoCurveFile, "");
}

TEST(StateBlock, MatchesValuesComparesCurveExactlyAndValuesWithinTolerance)
{
    Zarvotone plugin(nullptr);
    ASSERT_TRUE(plugin.SelectPreset(81));
    const Bytes block = StateBytes(plugin);
    std::vector<double> stored(2133);
    for (size_t i = 0; i < stored.size(); ++i)
        stored[i] = GetDouble(block, kCurveOffset + 8 * i);

    const struct
    {
        const char* name;
        size_t position;
        double change;
        bool matches;
    } cases[] = {
        {"unchanged", 0, 0.0, true},
        {"value within tolerance", 2048 + 9, 1e-6, true},
        {"value beyond tolerance", 2048 + 9, 1e-4, false},
        {"curve point", 100, 1e-12, false},
    };
    for (const auto& c : cases)
    {
        std::vector<double> values(3, 0.0);
        values.insert(values.end(), stored.begin(), stored.end());
        values[3 + c.position] += c.change;
        EXPECT_EQ(plugin.MatchesValues(values.data(), 3), c.matches) << c.name;
    }
    EXPECT_FALSE(plugin.MatchesValues(nullptr, 0));
}

Bytes GetChunk(PluginRig& rig, VstInt32 index)
{
    AEffect* effect = rig.plugin.GetEffect();
    void* data = nullptr;
    const VstIntPtr size = effect->dispatcher(effect, effGetChunk, index, 0, &data, 0.0f);
    if (size <= 0 || data == nullptr)
        return {};
    return Bytes(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

VstIntPtr SetChunk(PluginRig& rig, VstInt32 index, Bytes bytes)
{
    AEffect* effect = rig.plugin.GetEffect();
    return effect->dispatcher(effect, effSetChunk, index, static_cast<VstIntPtr>(bytes.size()), bytes.data(), 0.0f);
}

TEST(StateBlock, HostChunksCarryTheBlock)
{
    constexpr VstInt32 kBank = 0;
    constexpr VstInt32 kProgram = 1;
    PluginRig source;
    source.Set(kParamDistortionAmount, 0.6);
    source.plugin.Config().SetLastSelectedProgramFile("mine.wz");

    const Bytes program = GetChunk(source, kProgram);
    ASSERT_EQ(program.size(), 8 + kBlockSize);
    EXPECT_EQ(std::string(program.begin(), program.begin() + 4), "tffp");
    EXPECT_EQ(GetInt32(program, 8), 5192);
    PluginRig target;
    EXPECT_EQ(SetChunk(target, kProgram, program), 1);
    EXPECT_EQ(Difference(StateBytes(target.plugin), StateBytes(source.plugin)), "");

    const Bytes bank = GetChunk(source, kBank);
    size_t expectedBank = 8;
    for (int i = 0; i < source.plugin.GetPresetCount(); ++i)
        expectedBank += 4 + std::strlen(source.plugin.GetPreset(i)->name) + 1 + kBlockSize;
    ASSERT_EQ(bank.size(), expectedBank);
    PluginRig bankTarget;
    EXPECT_EQ(SetChunk(bankTarget, kBank, bank), 1);
    EXPECT_EQ(Difference(StateBytes(bankTarget.plugin), StateBytes(source.plugin)), "");
    for (int i = 0; i < source.plugin.GetPresetCount(); ++i)
    {
        const StateChunk& expected = source.plugin.GetPreset(i)->state;
        const StateChunk& loaded = bankTarget.plugin.GetPreset(i)->state;
        ASSERT_EQ(loaded.Size(), expected.Size()) << i;
        EXPECT_EQ(std::memcmp(loaded.Data(), expected.Data(), static_cast<size_t>(expected.Size())), 0) << i;
    }
}
}

namespace
{
Bytes BankHeader()
{
    Bytes bank;
    for (int32_t word : {IEffectBase::kChunkMagic, IEffectBase::kChunkVersion})
    {
        bank.resize(bank.size() + 4);
        PutInt32(bank, bank.size() - 4, word);
    }
    return bank;
}

void AppendRecord(Bytes& bank, const std::string& name, bool initialised, const Bytes& block)
{
    bank.resize(bank.size() + 4);
    PutInt32(bank, bank.size() - 4, static_cast<int32_t>(name.size()));
    bank.insert(bank.end(), name.begin(), name.end());
    bank.push_back(initialised ? 1 : 0);
    if (initialised)
        bank.insert(bank.end(), block.begin(), block.end());
}

Bytes PresetBytes(const Zarvotone& plugin, int index)
{
    const StateChunk& state = plugin.GetPreset(index)->state;
    return Bytes(state.Data(), state.Data() + state.Size());
}

// Blocks a foreign or damaged project might hold: values out of range or no number, curve
// points past -1..1 or no number, unlinked cutoffs with the link on, texts without a terminator.
Bytes UnusualBlock(Zarvotone& plugin, uint32_t seed)
{
    Bytes block = RandomBlock(plugin, seed);
    const size_t values = kParamsOffset;
    switch (seed % 5)
    {
    case 0:
        PutDouble(block, values + 8 * kParamDistortionAmount, 1.5);
        PutDouble(block, values + 8 * kParamLimiterLevel, -0.5);
        PutDouble(block, values + 8 * kParamGateLevel, std::numeric_limits<double>::quiet_NaN());
        break;
    case 1:
        PutDouble(block, kCurveOffset, std::numeric_limits<double>::infinity());
        PutDouble(block, kCurveOffset + 8, 2.0);
        PutDouble(block, kCurveOffset + 16, std::numeric_limits<double>::quiet_NaN());
        break;
    case 2:
        PutDouble(block, values + 8 * kParamBandLink, 1.0);
        PutDouble(block, values + 8 * kParamSubBandCutoff, 0.2);
        PutDouble(block, values + 8 * kParamDistoBandCutoff, 0.7);
        break;
    case 3:
        std::memset(block.data() + kTextOffsets[1], 'p', kTextSize);
        break;
    default:
        break;
    }
    return block;
}
}

// A bank's presets are checked and prepared without passing through the plug-in; each must be
// stored exactly as loading its block and writing the state again leaves it.
TEST(StateBlock, BankPresetsAreStoredAsLoadingThemWouldLeaveThem)
{
    PluginRig target;
    Zarvotone reference(nullptr);
    Bytes bank = BankHeader();
    std::vector<Bytes> expected;
    for (int i = 0; i < target.plugin.GetPresetCount(); ++i)
    {
        const bool initialised = i % 9 != 4;
        const Bytes block = UnusualBlock(reference, static_cast<uint32_t>(i + 1));
        AppendRecord(bank, "Preset " + std::to_string(i), initialised, block);
        if (initialised)
        {
            ASSERT_EQ(reference.UnserializeState(ChunkOf(block), 0), static_cast<int>(kBlockSize)) << i;
        }
        expected.push_back(initialised ? StateBytes(reference) : Bytes{});
    }
    target.Dispatch(effSetProgram, 0, 3);
    ASSERT_EQ(SetChunk(target, 0, bank), 1);
    for (int i = 0; i < target.plugin.GetPresetCount(); ++i)
    {
        const PresetSlot* preset = target.plugin.GetPreset(i);
        EXPECT_EQ(std::string(preset->name), "Preset " + std::to_string(i));
        EXPECT_EQ(preset->initialised, !expected[static_cast<size_t>(i)].empty()) << i;
        EXPECT_EQ(Difference(PresetBytes(target.plugin, i), expected[static_cast<size_t>(i)]), "") << i;
    }
    EXPECT_EQ(Difference(StateBytes(target.plugin), expected[3]), "");
}

TEST(StateBlock, DamagedBankChangesNothing)
{
    PluginRig target;
    target.Set(kParamDistortionAmount, 0.6);
    const Bytes good = StateBytes(target.plugin);
    const struct
    {
        const char* name;
        int damagedRecord;
        std::function<void(Bytes&)> damage;
    } cases[] = {
        {"second marker wrong in the last record", 127, [](Bytes& b) { PutInt32(b, 5196, 2134); }},
        {"last record one byte short", 127, [](Bytes& b) { b.pop_back(); }},
        {"first marker wrong in the first record", 0, [](Bytes& b) { PutInt32(b, 0, 5191); }},
    };
    for (const auto& c : cases)
    {
        Bytes bank = BankHeader();
        for (int i = 0; i < target.plugin.GetPresetCount(); ++i)
        {
            Bytes block = good;
            if (i == c.damagedRecord)
                c.damage(block);
            AppendRecord(bank, "Loaded", true, block);
        }
        const Bytes before = GetChunk(target, 0);
        const Bytes stateBefore = StateBytes(target.plugin);
        EXPECT_EQ(SetChunk(target, 0, bank), 0) << c.name;
        EXPECT_STRNE(target.plugin.GetPreset(0)->name, "Loaded") << c.name;
        EXPECT_EQ(Difference(StateBytes(target.plugin), stateBefore), "") << c.name;
        EXPECT_EQ(Difference(GetChunk(target, 0), before), "") << c.name;
    }
}

// A view setting that is no number would come back out in every later save.
TEST(StateBlock, ViewSettingsThatAreNotFiniteKeepTheCurrentValue)
{
    constexpr size_t kViewOffsets[] = {36, 44, 52, 60, 68};
    const double unusable[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity()};
    PluginRig rig;
    Zarvotone& plugin = rig.plugin;
    for (size_t setting = 0; setting < std::size(kViewOffsets); ++setting)
    {
        for (double value : unusable)
        {
            for (double* current : plugin.Config().ViewSettings())
                *current = 3.0;
            Bytes block = StateBytes(plugin);
            for (size_t offset : kViewOffsets)
                PutDouble(block, offset, 2.0);
            PutDouble(block, kViewOffsets[setting], value);

            ASSERT_EQ(plugin.UnserializeState(ChunkOf(block), 0), static_cast<int>(kBlockSize));
            Bytes expected = block;
            PutDouble(expected, kViewOffsets[setting], 3.0);
            EXPECT_EQ(Difference(StateBytes(plugin), expected), "") << setting << " " << value;

            // A bank's presets keep the settings the plug-in has when the bank arrives.
            for (double* current : plugin.Config().ViewSettings())
                *current = 3.0;
            Bytes bank = BankHeader();
            for (int i = 0; i < plugin.GetPresetCount(); ++i)
                AppendRecord(bank, "Loaded", true, block);
            ASSERT_EQ(SetChunk(rig, 0, bank), 1);
            EXPECT_EQ(Difference(PresetBytes(plugin, 5), expected), "") << setting << " " << value;
        }
    }
}
