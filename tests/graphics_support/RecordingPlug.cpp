#include "tests/graphics_support/RecordingPlug.h"

#include <cstdio>

RecordingPlug::RecordingPlug(int32_t pluginApi) : IEffectBase(pluginApi)
{
}

void RecordingPlug::BeginParamEdit(int index)
{
    events.push_back("begin " + std::to_string(index));
}

void RecordingPlug::AutomateParam(int index, double normalised)
{
    char text[64];
    std::snprintf(text, sizeof(text), "automate %d %g", index, normalised);
    events.emplace_back(text);
}

void RecordingPlug::EndParamEdit(int index)
{
    events.push_back("end " + std::to_string(index));
}

void RecordingPlug::ShowHostContextMenu(int index, int, int)
{
    events.push_back("context " + std::to_string(index));
}
