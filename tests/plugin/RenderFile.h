#pragma once
// Renders kept between two runs of a render tool (raw little-endian doubles), and the tools'
// command line.

#include <functional>
#include <vector>

using RenderSamples = std::vector<double>;

bool WriteRender(const char* path, const RenderSamples& samples);
bool ReadRender(const char* path, RenderSamples& samples);

// A render tool's command line: "--write FILE" saves what render gives, "--compare FILE" hands
// the saved render and a new one to compare, whose result is the exit code.
int RunRenderTool(int argc, char** argv, const char* name, const std::function<RenderSamples()>& render,
                  const std::function<int(const RenderSamples& reference, const RenderSamples& samples)>& compare);
