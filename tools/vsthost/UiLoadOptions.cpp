#include "tools/vsthost/UiLoadOptions.h"

#include <climits>

namespace
{
constexpr double kShortestRun = 0.1;
constexpr double kLongestRun = 600.0;
constexpr UiLoadOptions::Case kCases[] = {UiLoadOptions::Case::Closed, UiLoadOptions::Case::Still,
                                          UiLoadOptions::Case::Idle, UiLoadOptions::Case::Audio,
                                          UiLoadOptions::Case::Automate};
}

std::optional<UiLoadOptions::Case> UiLoadOptions::ParseCase(const std::string& name)
{
    for (Case which : kCases)
        if (name == CaseName(which))
            return which;
    return std::nullopt;
}

const char* UiLoadOptions::CaseName(Case which)
{
    switch (which)
    {
    case Case::Closed:
        return "closed";
    case Case::Still:
        return "still";
    case Case::Idle:
        return "idle";
    case Case::Audio:
        return "audio";
    case Case::Automate:
        return "automate";
    }
    return "";
}

void UiLoadOptions::AddTo(CommandLine::Readers& readers)
{
    readers.insert({"--ui-load", [this](const std::string& v) { return (uiLoad = ParseCase(v)).has_value(); }});
    readers.insert({"--ui-seconds", [this](const std::string& v) {
                        return CommandLine::ReadNumber(v, kShortestRun, kLongestRun, uiSeconds);
                    }});
    readers.insert({"--ui-param", [this](const std::string& v) {
                        return CommandLine::ReadInt32(v, 0, INT32_MAX, uiParameter);
                    }});
}

const char* UiLoadOptions::Usage()
{
    return "ui-load mode (Windows build): the UI thread's CPU time over one case, instead of window mode\n"
           "  --ui-load CASE          closed, still, idle (effEditIdle at 1 kHz), audio (a sine played in\n"
           "                          real time), automate (as audio, --ui-param changed every block);\n"
           "                          the window-mode script runs first\n"
           "  --ui-seconds S          how long the case runs (20; the figure is good to the thread clock's step\n"
           "                          over S, which the report gives)\n"
           "  --ui-param I            the parameter the automate case changes (0)\n";
}
