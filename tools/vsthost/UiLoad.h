#pragma once
// UI-load mode: one case of the editor's life run for a while, and the CPU time the UI thread
// (this one, which runs the editor's message loop) spent in it.

#include "tools/vsthost/EditorAction.h"
#include "tools/vsthost/UiLoadOptions.h"

#include <cstdio>
#include <string>
#include <vector>

class PluginInstance;

namespace UiLoad
{
// Prints the case's figures; false with a reason when the editor did not open.
bool Run(PluginInstance& plugin, const std::vector<EditorAction>& script, const UiLoadOptions& options,
         double sampleRate, int32_t blockSize, std::FILE* out, std::string& error);
}
