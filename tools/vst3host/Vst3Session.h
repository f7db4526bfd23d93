#pragma once
// One load, run and unload of a VST3 module as the options ask, with the checks they name.

#include "tools/vst3host/ComTypes.h"
#include "tools/vst3host/Vst3HostOptions.h"
#include "tools/vsthost/AudioBuffer.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class ComponentHandler;
class EffectInstance;
class ParameterChanges;
class RunLoop;
class Vst3Renderer;

class Vst3Session
{
public:
    Vst3Session(const Vst3HostOptions& options, const AudioBuffer& input, std::FILE* out);

    // False when the module could not be run or a check failed; the reasons are printed.
    bool Run(bool printReport);

private:
    bool FindEffectClass(void* factory, bool printReport, ClassInfo2Record& found);
    bool CheckUnicodeRecord(void* factory, int32_t index, const ClassInfo2Record& narrow);
    bool RunEffect(EffectInstance& effect, bool printReport);
    // Window mode: the editor view in a window of the host, the script, the screenshot.
    bool RunEditor(EffectInstance& effect, const ComponentHandler& handler);
    bool RunEditorTurningLoop(EffectInstance& effect, ComponentHandler& handler);
    void PrintEdits(const ComponentHandler& handler, size_t first);
    bool PrepareBuses(EffectInstance& effect, int32_t& inputChannels, int32_t& outputChannels);
    bool LoadState(EffectInstance& effect);
    bool RenderAll(EffectInstance& effect, Vst3Renderer& renderer);
    bool QueueChanges(EffectInstance& effect, ParameterChanges& changes);
    void PrintParameterResults(EffectInstance& effect);
    bool CheckPassThrough(const Vst3Renderer& renderer, int32_t sampleSize, const AudioBuffer& output);
    bool SaveState(EffectInstance& effect);
    bool RoundTripState(EffectInstance& effect);
    std::vector<uint8_t> GetState(EffectInstance& effect, bool fromController, bool& ok);
    bool Fail(const std::string& reason);

    // Strict mode, after each step: the UI loop turns until the latency the host was told is
    // the plug-in's (or a bound passes), then the controller's values must be those that the
    // component's state gives the controller.
    bool Settle(EffectInstance& effect, ComponentHandler& handler, RunLoop& loop, const char* step);
    std::vector<double> ControllerValues(EffectInstance& effect);
    void PrintValues(EffectInstance& effect);
    // The latency the host last read, at the start or when told of a change.
    uint32_t toldLatency_ = 0;

    const Vst3HostOptions& options_;
    const AudioBuffer& input_;
    std::FILE* out_;
};
