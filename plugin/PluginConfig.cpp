#include "plugin/PluginConfig.h"

#include "framework/BoundedCopy.h"
#include "plugin/SettingsLine.h"
#include "plugin/TextLineReader.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <string_view>

namespace
{
constexpr char kProductName[] = "Zarvotone";
constexpr double kTraceOn = 1.0;
constexpr double kDefaultDrawMode = 1.0;

constexpr char kSectionHeader[] = "[Zarvotone_Config]";
constexpr char kProgramFileKey[] = "Config.LastSelectedProgramFile";
constexpr char kCurveFileKey[] = "Config.LastSelectedDistoCurveFile";
// The keys of the view settings, in the order of ViewSettings().
constexpr std::string_view kViewSettingKeys[PluginConfig::kViewSettingCount] = {
    "UiConfig.VisibleTab", "UiConfig.ScopeDrawMode", "UiConfig.ScopeDrawInput", "UiConfig.ScopeDrawOutput",
    "UiConfig.ScopeZoom",
};

bool Contains(std::string_view line, std::string_view key)
{
    return line.find(key) != std::string_view::npos;
}

bool CanBeOpened(const std::string& path)
{
    return std::ifstream(path, std::ios::binary).is_open();
}

// A path line names a file only when that file is there to be opened.
void TakePath(std::string_view line, char* field)
{
    const std::string path = ParseLineString(line);
    if (path.empty() || !CanBeOpened(path))
        return;
    std::memset(field, 0, PluginConfig::kTextSize);
    BoundedCopy(field, path.c_str(), PluginConfig::kTextSize);
}
}

void PluginConfig::SetDefaults()
{
    for (char* text : Texts())
        std::memset(text, 0, kTextSize);
    BoundedCopy(ProductName, kProductName, kTextSize);
    Reserved.fill(0.0);
    VisibleTab = kDefaultVisibleTab;
    ScopeDrawMode = kDefaultDrawMode;
    ScopeDrawInput = kTraceOn;
    ScopeDrawOutput = kTraceOn;
    ScopeZoom = kDefaultScopeZoom;
}

std::array<char*, PluginConfig::kTextCount> PluginConfig::Texts()
{
    return {ProductName, LastSelectedProgramFile, LastSelectedDistoCurveFile, SpareText1, SpareText2};
}

std::array<const char*, PluginConfig::kTextCount> PluginConfig::Texts() const
{
    return {ProductName, LastSelectedProgramFile, LastSelectedDistoCurveFile, SpareText1, SpareText2};
}

std::array<double*, PluginConfig::kViewSettingCount> PluginConfig::ViewSettings()
{
    return {&VisibleTab, &ScopeDrawMode, &ScopeDrawInput, &ScopeDrawOutput, &ScopeZoom};
}

std::array<const double*, PluginConfig::kViewSettingCount> PluginConfig::ViewSettings() const
{
    return {&VisibleTab, &ScopeDrawMode, &ScopeDrawInput, &ScopeDrawOutput, &ScopeZoom};
}

void PluginConfig::SetLastSelectedProgramFile(const std::string& path)
{
    // No fragment of an earlier, longer path is left behind the terminator for the state to carry.
    std::memset(LastSelectedProgramFile, 0, kTextSize);
    BoundedCopy(LastSelectedProgramFile, path.c_str(), kTextSize);
}

void PluginConfig::AppendSection(std::string& text) const
{
    text.append(kSectionHeader);
    text.push_back('\n');
    AppendSettingLine(text, kProgramFileKey, LastSelectedProgramFile);
    AppendSettingLine(text, kCurveFileKey, LastSelectedDistoCurveFile);
    const auto settings = ViewSettings();
    for (int i = 0; i < kViewSettingCount; ++i)
        AppendSettingLine(text, kViewSettingKeys[i], FormatSettingNumber(*settings[i]));
}

bool PluginConfig::Load(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open())
        return false;
    Load(in);
    return true;
}

void PluginConfig::Load(std::istream& in)
{
    TextLineReader reader(in);
    const auto settings = ViewSettings();
    std::string_view line;
    while (reader.Next(line))
    {
        if (Contains(line, kProgramFileKey))
            TakePath(line, LastSelectedProgramFile);
        if (Contains(line, kCurveFileKey))
            TakePath(line, LastSelectedDistoCurveFile);
        for (int i = 0; i < kViewSettingCount; ++i)
        {
            if (!Contains(line, kViewSettingKeys[i]))
                continue;
            const double value = ParseLineNumber(line);
            if (std::isfinite(value))
                *settings[i] = value;
        }
    }
}
