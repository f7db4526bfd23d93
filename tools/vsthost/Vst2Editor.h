#pragma once
// The editor of a VST 2 plug-in, through its dispatcher.

#include "tools/vsthost/EmbeddedEditor.h"

class PluginInstance;

class Vst2Editor : public EmbeddedEditor
{
public:
    explicit Vst2Editor(PluginInstance& plugin) : plugin_(plugin) {}

    bool Size(int32_t& width, int32_t& height, std::string& error) override;
    bool Open(EditorWindow& window, std::string& error) override;
    void Close() override;

private:
    PluginInstance& plugin_;
};
