#include "framework/vst2/Vst2Constants.h"
#include "tests/vst2/FakeHost.h"
#include "tests/vst2/HostedPlugin.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace
{
constexpr VstInt32 kBank = 0;
constexpr VstInt32 kProgram = 1;
constexpr int kParams = 85;

class Bytes
{
public:
    Bytes& Int32(uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            data.push_back(static_cast<uint8_t>(value >> (8 * i)));
        return *this;
    }
    Bytes& Header(uint32_t version = 0x00010000) { return Int32(0x70666674).Int32(version); }
    Bytes& Doubles(int count, double value)
    {
        for (int i = 0; i < count; ++i)
        {
            uint64_t bits;
            std::memcpy(&bits, &value, sizeof bits);
            Int32(static_cast<uint32_t>(bits)).Int32(static_cast<uint32_t>(bits >> 32));
        }
        return *this;
    }
    Bytes& Text(const std::string& text)
    {
        data.insert(data.end(), text.begin(), text.end());
        return *this;
    }

    std::vector<uint8_t> data;
};

class Chunks : public testing::Test
{
protected:
    std::vector<uint8_t> GetChunk(VstInt32 index)
    {
        void* data = nullptr;
        const VstIntPtr size = plugin.Dispatch(effGetChunk, index, 0, &data);
        if (size <= 0 || !data)
            return {};
        return std::vector<uint8_t>(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
    }
    VstIntPtr SetChunk(VstInt32 index, std::vector<uint8_t> bytes)
    {
        return plugin.Dispatch(effSetChunk, index, static_cast<VstIntPtr>(bytes.size()), bytes.data());
    }
    void SetParam(VstInt32 index, float value) { plugin.Effect()->setParameter(plugin.Effect(), index, value); }
    float GetParam(VstInt32 index) { return plugin.Effect()->getParameter(plugin.Effect(), index); }
    std::string ProgramName(VstInt32 index)
    {
        char name[64] = {};
        plugin.Dispatch(effGetProgramNameIndexed, index, 0, name);
        return name;
    }

    FakeHost host;
    HostedPlugin plugin{HostedPlugin::CreateProduct(&FakeHost::Callback)};
};

TEST_F(Chunks, ProgramChunkRestoresTheParameters)
{
    SetParam(2, 0.3f);
    const auto chunk = GetChunk(kProgram);
    ASSERT_EQ(chunk.size(), 8u + kParams * 8u);
    EXPECT_EQ(std::vector<uint8_t>(chunk.begin(), chunk.begin() + 8), Bytes().Header().data);

    SetParam(2, 0.9f);
    EXPECT_EQ(SetChunk(kProgram, chunk), 1);
    EXPECT_FLOAT_EQ(GetParam(2), 0.3f);
    EXPECT_EQ(GetChunk(kProgram), chunk);
}

TEST_F(Chunks, BankChunkRestoresNamesStatesAndTheCurrentProgram)
{
    plugin.Dispatch(effSetProgram, 0, 4);
    plugin.Dispatch(effSetProgramName, 0, 0, const_cast<char*>("Custom"));
    SetParam(7, 0.2f);
    const auto bank = GetChunk(kBank);

    plugin.Dispatch(effSetProgramName, 0, 0, const_cast<char*>("Other"));
    SetParam(7, 0.8f);
    EXPECT_EQ(SetChunk(kBank, bank), 1);
    EXPECT_EQ(ProgramName(4), "Custom");
    EXPECT_EQ(ProgramName(5), "Program 006");
    EXPECT_EQ(plugin.Dispatch(effGetProgram), 4);
    EXPECT_FLOAT_EQ(GetParam(7), 0.2f);
    EXPECT_EQ(GetChunk(kBank), bank);
}

TEST_F(Chunks, HostMayHandBackTheAddressItWasGiven)
{
    for (VstInt32 index : {kProgram, kBank})
    {
        void* data = nullptr;
        const VstIntPtr size = plugin.Dispatch(effGetChunk, index, 0, &data);
        ASSERT_GT(size, 0);
        EXPECT_EQ(plugin.Dispatch(effSetChunk, index, size, data), 1) << index;
    }
}

TEST_F(Chunks, DamagedOrHostileChunksAreRefused)
{
    struct Case
    {
        const char* name;
        VstInt32 index;
        std::vector<uint8_t> bytes;
        VstIntPtr claimedSize;  // -1: the true size
        bool nullPointer;
        bool stateKept;  // nothing was loaded at all
    };
    constexpr VstIntPtr kTrueSize = -1;
    const std::vector<uint8_t> full = Bytes().Header().Doubles(kParams, 0.1).data;
    const Case cases[] = {
        {"null data", kProgram, full, kTrueSize, true, true},
        {"negative size", kProgram, full, -8, false, true},
        {"zero size", kProgram, full, 0, false, true},
        {"size beyond 32 bits", kProgram, full, VstIntPtr{1} << 40, false, true},
        {"size just past 32 bits", kProgram, full, VstIntPtr{1} << 31, false, true},
        {"magic alone", kProgram, Bytes().Int32(0x70666674).data, kTrueSize, false, true},
        {"magic and half a version", kProgram, Bytes().Int32(0x70666674).Text("ab").data, kTrueSize, false, true},
        {"bank: magic alone", kBank, Bytes().Int32(0x70666674).data, kTrueSize, false, true},
        {"three values of 85", kProgram, Bytes().Header().Doubles(3, 0.1).data, kTrueSize, false, true},
        {"no header, two values", kProgram, Bytes().Doubles(2, 0.1).data, kTrueSize, false, true},
        {"bank: name longer than the chunk", kBank, Bytes().Header().Int32(0x7FFFFFFF).data, kTrueSize, false, true},
        {"bank: name length -100", kBank, Bytes().Header().Int32(static_cast<uint32_t>(-100)).data, kTrueSize, false,
         true},
        {"bank: state cut short", kBank, Bytes().Header().Int32(1).Text("a").Int32(1).Doubles(10, 0.1).data,
         kTrueSize, false, true},
        {"bank: whole first record, then cut short", kBank,
         Bytes().Header().Int32(1).Text("a\x01").Doubles(kParams, 0.1).Int32(1).Text("b\x01").data,
         kTrueSize, false, true},
    };
    for (const Case& c : cases)
    {
        SetParam(0, 0.3f);
        const auto bankBefore = GetChunk(kBank);
        std::vector<uint8_t> bytes = c.bytes;
        const VstIntPtr size = c.claimedSize == kTrueSize ? static_cast<VstIntPtr>(bytes.size()) : c.claimedSize;
        EXPECT_EQ(plugin.Dispatch(effSetChunk, c.index, size, c.nullPointer ? nullptr : bytes.data()), 0) << c.name;
        if (c.stateKept)
        {
            EXPECT_FLOAT_EQ(GetParam(0), 0.3f) << c.name;
            EXPECT_EQ(GetChunk(kBank), bankBefore) << c.name;
        }
    }
}

TEST_F(Chunks, ChunksWithoutHeaderOrWithAnotherVersionLoadOneState)
{
    struct Case
    {
        const char* name;
        VstInt32 index;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"program without header", kProgram, Bytes().Doubles(kParams, 0.125).data},
        {"program with the bank version", kProgram, Bytes().Header().Doubles(kParams, 0.125).data},
        {"bank index with version 0", kBank, Bytes().Header(0).Doubles(kParams, 0.125).data},
    };
    for (const Case& c : cases)
    {
        SetParam(0, 0.9f);
        EXPECT_EQ(SetChunk(c.index, c.bytes), 1) << c.name;
        EXPECT_FLOAT_EQ(GetParam(0), 0.125f) << c.name;
    }
}
}
