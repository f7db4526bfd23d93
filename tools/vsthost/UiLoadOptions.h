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

    std::optional<Case> uiLoad;
    double uiSeconds = 5.0;
    int32_t uiParameter = 0;

    static std::optional<Case> ParseCase(const std::string& name);
    static const char* CaseName(Case which);

    void AddTo(CommandLine::Readers& readers);
    static const char* Usage();
};
