#include "tools/vsthost/UiLoad.h"

#include "framework/vst2/Vst2Constants.h"
#include "tools/vsthost/EditorWindow.h"
#include "tools/vsthost/MessageLoop.h"
#include "tools/vsthost/PacedAudio.h"
#include "tools/vsthost/PluginInstance.h"
#include "tools/vsthost/ThreadCpuTime.h"
#include "tools/vsthost/Vst2Editor.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>

namespace
{
using Case = UiLoadOptions::Case;

// Redraw ticks after the editor opened and after each scripted step, as window mode waits.
constexpr int32_t kTicksToSettle = 2;
constexpr double kIdleHz = 1000.0;
// The automated parameter walks up in these steps and starts again, so every block changes it.
constexpr int64_t kAutomationSteps = 100;
constexpr double kMillisecondsPerSecond = 1000.0;

bool PlaysAudio(Case which)
{
    return which == Case::Audio || which == Case::Automate;
}

// The idle call alone, back to back, without the message loop around it, for long enough that
// the thread clock's step is a small part of the figure.
void PrintIdleCallCost(const PluginInstance& plugin, double step, int64_t caseCalls, double caseSeconds,
                       std::FILE* out)
{
    constexpr int kCallsPerRound = 100000;
    constexpr double kStepsPerFigure = 50.0;
    constexpr double kShortestFigure = 0.05;
    const double enough = std::max(step * kStepsPerFigure, kShortestFigure);
    const double before = ThreadCpuTime::Seconds();
    double spent = 0.0;
    long long calls = 0;
    while (spent < enough)
    {
        for (int call = 0; call < kCallsPerRound; ++call)
            plugin.Dispatch(effEditIdle);
        calls += kCallsPerRound;
        spent = ThreadCpuTime::Seconds() - before;
    }
    const double each = spent / static_cast<double>(calls);
    std::fprintf(out, "idle call: %.3f us on the UI thread each (%lld calls back to back), so %.3f ms/s of the case; "
                      "the rest is the host's loop\n",
                 each * 1e6, calls, each * static_cast<double>(caseCalls) * kMillisecondsPerSecond / caseSeconds);
}

std::function<void(int64_t)> Automation(PluginInstance& plugin, const UiLoadOptions& options)
{
    if (options.uiLoad != Case::Automate)
        return {};
    AEffect* effect = plugin.Effect();
    const int32_t index = options.uiParameter;
    return [effect, index](int64_t block) {
        const auto value = static_cast<float>(block % kAutomationSteps) / static_cast<float>(kAutomationSteps);
        effect->setParameter(effect, index, value);
    };
}
}

bool UiLoad::Run(PluginInstance& plugin, const std::vector<EditorAction>& script, const UiLoadOptions& options,
                 double sampleRate, int32_t blockSize, std::FILE* out, std::string& error)
{
    const Case which = *options.uiLoad;
    if (which == Case::Automate && options.uiParameter >= plugin.Effect()->numParams)
    {
        error = "the plug-in has no parameter " + std::to_string(options.uiParameter);
        return false;
    }
    Vst2Editor editor(plugin);
    EditorWindow window(editor);
    if (!window.IsOpen())
    {
        error = window.Error();
        return false;
    }
    window.WaitForTicks(kTicksToSettle);
    for (const EditorAction& action : script)
    {
        window.Play(action);
        window.WaitForTicks(kTicksToSettle);
    }
    // The script is over: the host's window stays with nothing but its message loop, so what
    // is left with the editor closed is the host's (and the window system's) share.
    window.StopHostTimer();
    if (which == Case::Closed)
        window.CloseEditor();
    const double step = ThreadCpuTime::StepSeconds();

    std::optional<PacedAudio> audio;
    if (PlaysAudio(which))
        audio.emplace(plugin, sampleRate, blockSize, Automation(plugin, options));
    int64_t idleCalls = 0;
    std::function<void()> idle;
    if (which == Case::Idle)
        idle = [&plugin, &idleCalls] {
            plugin.Dispatch(effEditIdle);
            ++idleCalls;
        };

    const auto start = std::chrono::steady_clock::now();
    const double cpuBefore = ThreadCpuTime::Seconds();
    MessageLoop::RunFor(options.uiSeconds, kIdleHz, idle);
    const double cpu = ThreadCpuTime::Seconds() - cpuBefore;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const int64_t blocks = audio ? audio->Blocks() : 0;
    audio.reset();

    std::fprintf(out,
                 "ui load %s: %.2f ms/s on the UI thread over %.1f s (%.1f ms; %lld idle calls, %lld blocks; "
                 "thread clock step %.3f ms, so +-%.2f ms/s)\n",
                 UiLoadOptions::CaseName(which), cpu * kMillisecondsPerSecond / wall, wall,
                 cpu * kMillisecondsPerSecond, static_cast<long long>(idleCalls), static_cast<long long>(blocks),
                 step * kMillisecondsPerSecond, step * kMillisecondsPerSecond / wall);
    if (which == Case::Idle)
        PrintIdleCallCost(plugin, step, idleCalls, wall, out);
    return true;
}
