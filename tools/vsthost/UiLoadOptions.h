#pragma once
// UI-load mode: the UI thread's CPU time over a scripted run of the editor, one case a run.

#include "tools/vsthost/CommandLine.h"

#include <cstdint>
#include <optional>
#include <string>

struct UiLoadOptions
{
    enum class Case
    {
        // No editor: what the plug-in costs this thread with its editor closed.
        Closed,
        // The editor open after the script, nothing happening.
        Still,
        // As still, with the editor's idle call at 1 kHz, as some hosts make it.
        Idle,
        // The editor open while audio plays in real time on an audio thread.
        Audio,
        // As audio, with one parameter changed before every block.
        Automate
    };

    // Long enough that the thread clock's step (10 ms under Wine) is 0.5 ms/s of the figure.
    static constexpr double kDefaultSeconds = 20.0;

    std::optional<Case> uiLoad;
    double uiSeconds = kDefaultSeconds;
    int32_t uiParameter = 0;

    static std::optional<Case> ParseCase(const std::string& name);
    static const char* CaseName(Case which);

    void AddTo(CommandLine::Readers& readers);
    static const char* Usage();
};
