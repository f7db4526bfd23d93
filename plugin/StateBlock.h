#pragma once

#include "framework/StateChunk.h"
#include "plugin/ParamIndex.h"
#include "plugin/PluginConfig.h"

#include <cstdint>

// The layout of the state block, the one byte image of the whole plug-in state: a size marker,
// the editor settings (nine doubles, then five texts), a count marker, the transfer curve and
// every parameter value. Presets, chunks, the VST3 state stream and program files carry it.
class StateBlock
{
public:
    static constexpr int32_t kDoubleSize = 8;
    static constexpr int32_t kMarkerSize = 4;
    // The first marker: the bytes of the settings that follow it.
    static constexpr int32_t kConfigBytes =
        (PluginConfig::kReservedCount + PluginConfig::kViewSettingCount) * kDoubleSize +
        PluginConfig::kTextCount * PluginConfig::kTextSize;
    static constexpr int32_t kCurvePoints = 2048;
    // The second marker: the doubles that follow it.
    static constexpr int32_t kValueCount = kCurvePoints + kTotalParamCount;

    static constexpr int64_t kValueCountOffset = kMarkerSize + kConfigBytes;
    static constexpr int64_t kCurveOffset = kValueCountOffset + kMarkerSize;
    static constexpr int64_t kParamsOffset = kCurveOffset + int64_t{kCurvePoints} * kDoubleSize;
    static constexpr int64_t kSize = kParamsOffset + int64_t{kTotalParamCount} * kDoubleSize;

    // The first marker, the settings and the second marker: everything before the values.
    static bool AppendHead(StateChunk& chunk, const PluginConfig& config);

    // True when a whole block with both markers stands at `start`.
    static bool IsWhole(const StateChunk& chunk, int64_t start);

    // From a whole block: the view settings (a setting that is not finite keeps the value in
    // `config`) and the five texts, each text terminated within its bytes (a stored text without
    // a terminator loses its last byte); the reserved doubles are not read.
    static void ReadConfig(const StateChunk& chunk, int start, PluginConfig& config);
    // Point i of a whole block's curve; a value that is not finite reads as 0.
    static double ReadCurvePoint(const StateChunk& chunk, int start, int32_t i);
};

static_assert(StateBlock::kConfigBytes == 5192);
static_assert(StateBlock::kValueCount == 2133);
static_assert(StateBlock::kCurveOffset == 5200);
static_assert(StateBlock::kParamsOffset == 21584);
static_assert(StateBlock::kSize == 22264);
