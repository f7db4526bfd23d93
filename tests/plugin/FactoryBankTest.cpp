#include "dsp/units/curves/CurveId.h"
#include "plugin/FactoryBank.h"
#include "plugin/ParamIndex.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace
{
using Wezmark::ZarvotoneProgram;

struct ListedProgram
{
    const char* name;
    CurveId curve;
};

// The published bank: names exactly as shown in the preset menu, with each program's curve.
constexpr ListedProgram kListedBank[] = {
    {"Initial Preset (Single-Band)", 0}, {"Soft Compressor", 1}, {"Soft Knee Compressor", 2},
    {"Soft Limiter", 4}, {"Warm Saturation", 5}, {"Classic Saturation", 6}, {"Hard Compressor", 1},
    {"Linear Distortion", 0}, {"Hard Overload", 10}, {"Soft Tube Drive", 7}, {"Tube Drive", 8},
    {"Transistor", 9}, {"Full Clip", 11}, {"Fuzz Distortion 1", 15}, {"Fuzz Distortion 2", 16},
    {"Fuzz Distortion 3", 17}, {"Fuzz Distortion 4", 18}, {"Toxic Disto 1", 12}, {"Toxic Disto 2", 13},
    {"Toxic Disto 3", 14}, {"### HARDCORE ###", 22}, {"Hardcore Fuzz 1", 22}, {"Hardcore Fuzz 2", 23},
    {"Hardcore Fuzz 3", 24}, {"Hardcore Fuzz 4", 25}, {"Tovi Fuzz", 26}, {"VRN Fuzz 1", 27}, {"VRN Fuzz 2", 28},
    {"Industrial 1", 29}, {"Industrial 2", 30}, {"Industrial 3", 31}, {"Big Bad Drive", 36},
    {"Big Fat Drive", 37}, {"Vicious Viper", 40}, {"Ass Kicking", 41}, {"Tiger's Blood", 42}, {"Mad Cat", 38},
    {"EL Diablo", 39}, {"Angry Zombie", 20}, {"Furious Monster", 21}, {"### EXPERIMENTAL ###", 43},
    {"Corvath Fuzz", 43}, {"Sigmoid Drive 1", 44}, {"Sigmoid Drive 2", 45}, {"Sigmoid Drive 3", 46},
    {"Sigmoid Drive 4", 47}, {"Wezmark 1", 48}, {"Wezmark 2", 49}, {"Wezmark 3", 50}, {"Wezmark 4", 51},
    {"Invert Input", 52}, {"DC offset control", 0}, {"### DIRTY + NOISY ###", 43}, {"Hum Frazzle 1 (8-bit)", 53},
    {"Hum Frazzle 2 (8-bit)", 54}, {"Hum Frazzle 3 (8-bit)", 55}, {"Hum Frazzle 4 (8-bit)", 56},
    {"Stairway-2-Hell", 57}, {"### BASS-/KICK DRUMS ###", 22}, {"Gabber Mayhem Drive", 58},
    {"Push It To The Limit", 60}, {"Mill", 59}, {"Armageddon", 61}, {"Fireback", 64}, {"Gangstarizm", 67},
    {"Public Enemy", 65}, {"Straight Out Of Kielce", 66}, {"Hard as Hell", 62}, {"Syco Killa", 63},
    {"Build-2-Hurt", 68}, {"Beastknock", 69}, {"Kardan Failure", 70}, {"Schwifty Kick", 71}, {"Killah", 72},
    {"Monster Truck", 73}, {"Vibrating Source", 74}, {"Crunch Time", 75}, {"Dutchcore", 76},
    {"We Are The Illest", 77}, {"Skullcrusher", 78}, {"Hardcore Blast", 79}, {"Thrashcore", 80},
    {"High Resonant Raw-Kick", 38}, {"### WAVE SHAPERS (8xOVER) ###", 1}, {"Soft-Knee Limiter Shaper", 4},
    {"Warm Saturation Shaper", 5}, {"Classic Saturation Shaper", 6}, {"Tovi-Fuzz Shaper", 26},
    {"Fuzz-Drive Shaper", 15}, {"Hardcore Fuzz Shaper", 22}, {"Hum Frazzle Shaper", 53}, {"Wezmark Shaper", 50},
    {"Mad Cat Shaper", 38}, {"Neuro-Funk Shaper", 32}, {"Ormsa's Armageddon Shaper", 61},
    {"Hollow Vex's Hard A Hell Shaper", 62}, {"O:RAV's Public Enemy Shaper", 65},
    {"### DYNAMIC SHAPERS (8xOVER) ###", 0}, {"Sine Shaper", 0}, {"Triangle Shaper", 0}, {"Pulse Shaper", 0},
    {"Boost + Sine Shaper", 0}, {"Boost + Triangle Shaper", 0}, {"Boost + Pulse Shaper", 0},
    {"### DISTORTED SHAPERS ###", 0}, {"Tovi Fuzz I/O sat", 26}, {"VRN Fuzz 1 + Pulse Shaper", 0},
    {"VRN Fuzz 2 + Pulse Shaper", 0}, {"Fuzz Distortion 1 I/O sat", 15}, {"Fuzz Distortion 2 I/O sat", 16},
    {"Hardcore Fuzz 1 I/O sat", 22}, {"Hardcore Fuzz 2 I/O sat", 23}, {"Industrial 1 + Triangle Shaper", 0},
    {"Industrial 2 + Pulse 2 Shaper", 0}, {"Wezmark 1 + Sine Shaper", 48}, {"Angry Zombie + Saw Shaper", 0},
    {"Furious Monster + Noise v1 Shaper", 0}, {"Toxic Disto 1 I/O sat", 12}, {"Big Bad + Sine Shaper", 0},
    {"Big Fat + Triangle Shaper", 0}, {"Vicious Viper I/O sat", 40}, {"Ass Kicking I/O sat", 41},
    {"Tiger's Blood I/O sat", 42}, {"Mad Cat + Pulse Shaper", 0}, {"El Diablo I/O sat", 39},
    {"### SKOLTAN ENGINE ###", 5}, {"Skoltan Clean Punch", 5}, {"Modern Smash", 5},
};

TEST(FactoryBank, HoldsTheListedNamesAndCurvesInBankOrder)
{
    const std::vector<ZarvotoneProgram> bank = CreateFactoryPrograms();
    ASSERT_EQ(bank.size(), std::size(kListedBank));
    for (size_t i = 0; i < bank.size(); ++i)
    {
        EXPECT_EQ(bank[i].Name(), kListedBank[i].name) << i;
        EXPECT_EQ(bank[i].GetValue(kParamDistortionType), static_cast<double>(kListedBank[i].curve) / kLastCurveId)
            << i;
    }
}

// The header entries open the submenus of the preset menu, so only they may begin with "#".
TEST(FactoryBank, OnlyTheEightGroupHeadersBeginWithAHash)
{
    const std::vector<ZarvotoneProgram> bank = CreateFactoryPrograms();
    std::vector<size_t> headers;
    for (size_t i = 0; i < bank.size(); ++i)
        if (bank[i].Name().starts_with("#"))
            headers.push_back(i);
    EXPECT_EQ(headers, (std::vector<size_t>{20, 40, 52, 58, 83, 97, 104, 125}));
}

// Entries whose every value is published: the defaults with exactly these differences.
TEST(FactoryBank, PublishedEntriesDifferFromTheDefaultsExactlyAsListed)
{
    const double third = 1.0 / 3.0;
    const double twoThirds = 2.0 / 3.0;
    const double minus6dB = 0.5011872336272722;
    const struct
    {
        size_t entry;
        std::vector<std::pair<int, double>> differences;
    } cases[] = {
        {0, {{24, 0.0}, {27, 28.0 / 30.0}, {28, twoThirds}, {35, 0.0}, {60, 0.0}, {63, 1.0}}},
        {20, {{10, 0.275}, {38, 0.5}, {40, 0.5}, {56, 0.5}, {63, 0.5}}},
        {58, {{9, 0.8},   {10, 0.275}, {14, 1.0},   {16, 0.4},   {17, 0.5},   {19, 0.125},    {20, twoThirds},
              {24, 0.25}, {25, 0.35},  {26, 0.4},   {27, 0.1},   {28, 0.2},   {31, 0.375},    {32, 0.4375},
              {36, 0.5},  {38, 1.0},   {40, 0.25},  {42, 0.5625}, {50, third}, {56, 1.0},     {57, 0.4937},
              {59, minus6dB}, {60, twoThirds}, {63, 0.5}, {64, 1.0}}},
        {81, {{2, 0.25},  {9, 0.8},    {10, 1.0},   {14, 1.0},   {23, 0.2},   {24, 0.4},      {25, 0.3},
              {26, 0.4},  {27, 0.1},   {28, 0.2},   {31, 0.375}, {32, 0.4375}, {36, 0.5},     {38, 1.0},
              {40, 0.25}, {42, 0.5625}, {50, third}, {56, 1.0},  {57, 0.4937}, {59, minus6dB}, {60, twoThirds},
              {63, 0.5},  {64, 1.0}}},
        {98, {{9, 0.5}, {12, 0.25}, {16, 0.5}, {35, 0.0}, {63, 0.7079457843841379}}},
        {104, {{14, 0.5}, {15, 0.5}, {38, 0.5}, {40, 0.5}, {56, 1.0}, {59, minus6dB}, {63, minus6dB}}},
        {125, {{8, 0.0},    {10, 0.0625}, {22, 0.0},    {31, 0.4375}, {32, 0.4584},
               {34, 0.5416}, {36, 0.5},   {38, 0.2},    {39, 0.0},    {47, 0.3755},
               {49, 0.3755}, {56, 0.5},   {57, 0.582},  {63, 0.9885530946569389}, {64, 1.0}}},
    };
    const std::vector<ZarvotoneProgram> bank = CreateFactoryPrograms();
    for (const auto& c : cases)
    {
        ZarvotoneProgram expected;
        ZarvotoneProgram::ResetToDefaults(expected.Values());
        for (const auto& [index, value] : c.differences)
            expected.SetValue(index, value);
        for (int index = 0; index < kWorkingParamCount; ++index)
            EXPECT_EQ(bank[c.entry].GetValue(index), expected.GetValue(index)) << bank[c.entry].Name() << " " << index;
    }
}
}
