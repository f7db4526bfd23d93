#pragma once

#include "plugin/ZarvotoneProgram.h"

#include <istream>
#include <string>

// The program section of a program text file: its header, the program's name, one
// "key = value;" line per parameter and the transfer curve as text. The settings section that
// a saved file carries after it belongs to PluginConfig.
class ProgramTextFile
{
public:
    // Names longer than this are cut when read.
    static constexpr size_t kNameLength = 32;

    // The header, "Name = <name>;", one line per parameter in index order (the distortion type
    // and the filter types by name, every other value as a number) and the curve line.
    static void AppendSection(std::string& text, const std::string& name, const Wezmark::ZarvotoneProgram& program,
                              const std::string& curveText);

    // Reads the program section into the program, leaving what the file does not set. The first
    // line after the header is the name line, whatever its key; unknown keys, malformed lines and
    // numbers that are not finite change nothing. `curveText` receives the curve line's text
    // when there is one. Reading ends at the settings section.
    static void Read(std::istream& in, Wezmark::ZarvotoneProgram& program, std::string& curveText);
};
