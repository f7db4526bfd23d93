#include "plugin/StateBlock.h"

#include <cmath>
#include <cstring>

namespace
{
constexpr int64_t kReservedBytes = int64_t{PluginConfig::kReservedCount} * StateBlock::kDoubleSize;
constexpr int64_t kViewSettingsOffset = StateBlock::kMarkerSize + kReservedBytes;
constexpr int64_t kTextsOffset =
    kViewSettingsOffset + int64_t{PluginConfig::kViewSettingCount} * StateBlock::kDoubleSize;

bool MarkerAt(const StateChunk& chunk, int64_t position, int32_t expected)
{
    int32_t marker = 0;
    return chunk.ReadInt32(marker, static_cast<int>(position)) >= 0 && marker == expected;
}
}

bool StateBlock::AppendHead(StateChunk& chunk, const PluginConfig& config)
{
    if (!chunk.AppendInt32(kConfigBytes))
        return false;
    for (double reserved : config.Reserved)
        if (!chunk.AppendDouble(reserved))
            return false;
    for (const double* setting : config.ViewSettings())
        if (!chunk.AppendDouble(*setting))
            return false;
    for (const char* text : config.Texts())
        if (!chunk.AppendBytes(text, PluginConfig::kTextSize))
            return false;
    return chunk.AppendInt32(kValueCount);
}

bool StateBlock::IsWhole(const StateChunk& chunk, int64_t start)
{
    // In 64 bits, so a start near the end of the int range cannot wrap into the chunk.
    return chunk.HasBytes(kSize, start) && MarkerAt(chunk, start, kConfigBytes) &&
           MarkerAt(chunk, start + kValueCountOffset, kValueCount);
}

void StateBlock::ReadConfig(const StateChunk& chunk, int start, PluginConfig& config)
{
    int64_t position = start + kViewSettingsOffset;
    for (double* setting : config.ViewSettings())
    {
        // A setting that is no number would come back out in every later state: keep ours.
        double stored = 0.0;
        chunk.ReadDouble(stored, static_cast<int>(position));
        if (std::isfinite(stored))
            *setting = stored;
        position += kDoubleSize;
    }
    for (char* text : config.Texts())
    {
        chunk.ReadBytes(text, PluginConfig::kTextSize, static_cast<int>(position));
        // A terminated text stays byte for byte; one without a terminator loses its last byte.
        if (std::memchr(text, '\0', PluginConfig::kTextSize) == nullptr)
            text[PluginConfig::kTextSize - 1] = '\0';
        position += PluginConfig::kTextSize;
    }
    static_assert(kTextsOffset + int64_t{PluginConfig::kTextCount} * PluginConfig::kTextSize == kValueCountOffset);
}

double StateBlock::ReadCurvePoint(const StateChunk& chunk, int start, int32_t i)
{
    double value = 0.0;
    chunk.ReadDouble(value, static_cast<int>(start + kCurveOffset + int64_t{i} * kDoubleSize));
    return std::isfinite(value) ? value : 0.0;
}
