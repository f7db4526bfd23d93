#include "tools/vsthost/EditorAction.h"

#include "tools/vsthost/CommandLine.h"

#include <algorithm>
#include <utility>

namespace
{
// Editors are far smaller; the limit only keeps coordinates inside a window message.
constexpr int32_t kLargestCoordinate = 32767;
constexpr int32_t kLargestMenuItem = 4095;
constexpr double kLongestPlay = 60.0;

// Win32 virtual-key codes of the keys a script may press.
constexpr std::pair<const char*, int32_t> kKeyNames[] = {
    {"enter", 0x0D}, {"escape", 0x1B}, {"tab", 0x09}, {"space", 0x20},
    {"up", 0x26},    {"down", 0x28},   {"left", 0x25}, {"right", 0x27},
};

bool ReadMenuPath(const std::string& text, std::vector<int32_t>& path)
{
    size_t start = 0;
    while (start <= text.size())
    {
        const size_t dot = std::min(text.find('.', start), text.size());
        int32_t item = 0;
        if (!CommandLine::ReadInt32(text.substr(start, dot - start), 0, kLargestMenuItem, item))
            return false;
        path.push_back(item);
        start = dot + 1;
    }
    return true;
}

bool ReadKey(const std::string& text, int32_t& key)
{
    for (const auto& [name, code] : kKeyNames)
    {
        if (text == name)
        {
            key = code;
            return true;
        }
    }
    return false;
}
}

std::optional<EditorAction> EditorAction::Parse(Kind kind, const std::string& text)
{
    EditorAction action{kind};
    switch (kind)
    {
    case Kind::ChooseMenuItem:
        return ReadMenuPath(text, action.menuPath) ? std::optional(action) : std::nullopt;
    case Kind::Type:
        action.text = text;
        return action;
    case Kind::Key:
        return ReadKey(text, action.key) ? std::optional(action) : std::nullopt;
    case Kind::PlayAudio:
        return CommandLine::ReadNumber(text, 0.0, kLongestPlay, action.seconds) ? std::optional(action)
                                                                                 : std::nullopt;
    case Kind::MenuScreenshot:
        action.text = text;
        return text.empty() ? std::nullopt : std::optional(action);
    default:
        break;
    }
    const size_t comma = text.find(',');
    if (comma == std::string::npos ||
        !CommandLine::ReadInt32(text.substr(0, comma), -kLargestCoordinate, kLargestCoordinate, action.x) ||
        !CommandLine::ReadInt32(text.substr(comma + 1), -kLargestCoordinate, kLargestCoordinate, action.y))
        return std::nullopt;
    return action;
}
