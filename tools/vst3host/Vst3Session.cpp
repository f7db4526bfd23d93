#include "tools/vst3host/Vst3Session.h"

#include "tools/vst3host/ComponentHandler.h"
#include "tools/vst3host/EffectInstance.h"
#include "tools/vst3host/HostApplication.h"
#include "tools/vst3host/InterfaceIds.h"
#include "tools/vst3host/MemoryStream.h"
#include "tools/vst3host/ModuleLibrary.h"
#include "tools/vst3host/ParameterChanges.h"
#include "tools/vst3host/PlugViewEditor.h"
#include "tools/vst3host/RunLoop.h"
#include "tools/vst3host/Vst3Renderer.h"
#include "tools/vst3host/Vst3Report.h"
#include "tools/vsthost/ByteFile.h"
#include "tools/vsthost/RenderReport.h"
#include "tools/vsthost/WavFile.h"
#include "tools/vsthost/WindowMode.h"

#include <cstring>
#include <iterator>

namespace
{
constexpr uint32_t kProgramParamId = 0x70727374;  // 'prst'
constexpr int32_t kProgramChangeFlag = 0x8000;
constexpr int32_t kLatencyChangedFlag = 8;
constexpr int kSampleSizeNameWidth = 7;
constexpr char kEditorViewName[] = "editor";

const char* SampleSizeName(int32_t sampleSize)
{
    return sampleSize == kSample64 ? "64-bit" : "32-bit";
}

// A reference the factory entry handed out, released when the run ends.
class FactoryReference
{
public:
    explicit FactoryReference(void* factory) : factory_(factory) {}
    ~FactoryReference()
    {
        if (factory_)
            TableOf<UnknownSlots>(factory_).release(factory_);
    }
    FactoryReference(const FactoryReference&) = delete;
    FactoryReference& operator=(const FactoryReference&) = delete;

    // The count the release reported.
    uint32_t Release()
    {
        const uint32_t remaining = TableOf<UnknownSlots>(factory_).release(factory_);
        factory_ = nullptr;
        return remaining;
    }

private:
    void* factory_;
};

// An interface of the factory beyond the first, or null.
void* AskFactory(void* factory, const InterfaceId& id)
{
    void* answer = nullptr;
    if (TableOf<UnknownSlots>(factory).queryInterface(factory, id.data(), &answer) != kComOk || !answer)
        return nullptr;
    TableOf<UnknownSlots>(answer).release(answer);
    return answer;
}
}

Vst3Session::Vst3Session(const Vst3HostOptions& options, const AudioBuffer& input, std::FILE* out)
    : options_(options), input_(input), out_(out)
{
}

bool Vst3Session::Fail(const std::string& reason)
{
    std::fprintf(out_, "error: %s\n", reason.c_str());
    return false;
}

bool Vst3Session::Run(bool printReport)
{
    ModuleLibrary module(options_.modulePath);
    if (!module.IsLoaded())
        return Fail(module.Error());
    const ModuleLibrary::GetFactoryProc entry = module.FindFactoryEntry();
    if (!entry)
        return Fail(module.FilePath() + " exports no GetPluginFactory");
    void* factory = entry();
    if (!factory)
        return Fail("GetPluginFactory gave no factory");
    FactoryReference reference(factory);

    ClassInfo2Record effectClass{};
    if (!FindEffectClass(factory, printReport, effectClass))
        return false;
    bool passed = false;
    {
        EffectInstance effect(factory, effectClass.cid);
        if (!effect.IsValid())
            return Fail(effect.Error());
        passed = RunEffect(effect, printReport);
        const uint32_t remaining = effect.ReleaseAll();
        if (passed && remaining != 0)
            passed = Fail("the effect still holds " + std::to_string(remaining) + " references after its release");
    }
    const uint32_t factoryReferences = reference.Release();
    if (passed && factoryReferences != 0)
        passed = Fail("the factory still holds " + std::to_string(factoryReferences) + " references");
    return passed;
}

bool Vst3Session::FindEffectClass(void* factory, bool printReport, ClassInfo2Record& found)
{
    const auto& table = TableOf<PluginFactoryTable>(factory);
    FactoryInfoRecord info{};
    if (table.getFactoryInfo(factory, &info) != kComOk)
        return Fail("the factory gave no factory record");
    if (!AskFactory(factory, InterfaceIds::kPluginFactory2))
        return Fail("the factory offers no extended class records");
    if (printReport)
        Vst3Report::PrintFactory(info, out_);

    int32_t effectIndex = -1;
    const int32_t count = table.countClasses(factory);
    for (int32_t index = 0; index < count; ++index)
    {
        ClassInfo2Record record{};
        if (table.getClassInfo2(factory, index, &record) != kComOk)
            return Fail("class " + std::to_string(index) + " has no record");
        if (printReport)
            Vst3Report::PrintClass(index, record, out_);
        if (effectIndex < 0 && Vst3Report::FieldText(record.category, sizeof record.category) == kEffectCategory)
        {
            effectIndex = index;
            found = record;
        }
    }
    if (effectIndex < 0)
        return Fail("the factory offers no audio effect class");
    const std::string name = Vst3Report::FieldText(found.name, sizeof found.name);
    if (!options_.expectedClass.empty() && name != options_.expectedClass)
        return Fail("the effect class is \"" + name + "\", expected \"" + options_.expectedClass + "\"");
    if ((info.flags & kUnicodeFactory) && !CheckUnicodeRecord(factory, effectIndex, found))
        return false;
    return true;
}

bool Vst3Session::CheckUnicodeRecord(void* factory, int32_t index, const ClassInfo2Record& narrow)
{
    void* factory3 = AskFactory(factory, InterfaceIds::kPluginFactory3);
    if (!factory3)
        return Fail("the factory promises UTF-16 class records but offers none");
    ClassInfoWRecord wide{};
    if (TableOf<PluginFactoryTable>(factory3).getClassInfoUnicode(factory3, index, &wide) != kComOk)
        return Fail("the UTF-16 class record is missing");
    const bool same = std::memcmp(wide.cid, narrow.cid, sizeof wide.cid) == 0 &&
                      Vst3Report::Narrow(wide.name, std::size(wide.name)) ==
                          Vst3Report::FieldText(narrow.name, sizeof narrow.name) &&
                      Vst3Report::Narrow(wide.version, std::size(wide.version)) ==
                          Vst3Report::FieldText(narrow.version, sizeof narrow.version);
    return same || Fail("the UTF-16 class record differs from the 8-bit one");
}

bool Vst3Session::RunEffect(EffectInstance& effect, bool printReport)
{
    if (!effect.HasOneIdentity())
        return Fail("the effect's interfaces do not lead to one object");
    HostApplication host;
    ComponentHandler handler;
    RunLoop loop;
    const bool strict = options_.strict;
    if (strict)
    {
        handler.OfferRunLoop(&loop);
        handler.AllowRestarts(false);
        handler.OnRestart([this, &effect](int32_t flags) {
            if (flags & kLatencyChangedFlag)
                toldLatency_ = effect.Processor().getLatencySamples(effect.ProcessorObject());
        });
    }
    const auto settle = [&](const char* step) { return !strict || Settle(effect, handler, loop, step); };
    if (effect.Component().initialize(effect.ComponentObject(), host.Object()) != kComOk)
        return Fail("initialize failed");
    // The controller is the same object, which is initialised once.
    effect.Controller().setComponentHandler(effect.ControllerObject(), handler.Object());
    toldLatency_ = effect.Processor().getLatencySamples(effect.ProcessorObject());
    if (printReport)
        Vst3Report::PrintEffect(effect, options_.brief, out_);

    int32_t inputChannels = 0;
    int32_t outputChannels = 0;
    bool passed = settle("initialize") && PrepareBuses(effect, inputChannels, outputChannels) && LoadState(effect) &&
                  settle("loading the state") && (!options_.WantsEditor() || RunEditorTurningLoop(effect, handler));
    if (passed)
    {
        Vst3Renderer renderer(effect, {inputChannels, outputChannels}, options_.sampleRate);
        passed = RenderAll(effect, renderer) && settle("rendering") && SaveState(effect) &&
                 (!options_.roundTripState || RoundTripState(effect)) && settle("saving the state");
    }
    if (passed && strict)
        PrintValues(effect);
    if (passed && handler.ReentrantRestarts() != 0)
        passed = Fail("the plug-in called restartComponent " + std::to_string(handler.ReentrantRestarts()) +
                      " times from inside a host call into it");
    effect.Controller().setComponentHandler(effect.ControllerObject(), nullptr);
    if (effect.Component().terminate(effect.ComponentObject()) != kComOk && passed)
        passed = Fail("terminate failed");
    if (passed && (host.ForeignReferences() != 0 || handler.ForeignReferences() != 0 || loop.ForeignReferences() != 0))
        passed = Fail("the effect kept references to the host's objects after terminate");
    return passed;
}

// The editor's window runs the UI loop itself, between the host's calls.
bool Vst3Session::RunEditorTurningLoop(EffectInstance& effect, ComponentHandler& handler)
{
    const bool allowed = handler.RestartsAllowed();
    handler.AllowRestarts(true);
    const bool passed = RunEditor(effect, handler);
    handler.AllowRestarts(allowed);
    return passed;
}

bool Vst3Session::RunEditor(EffectInstance& effect, const ComponentHandler& handler)
{
    void* view = effect.Controller().createView(effect.ControllerObject(), kEditorViewName);
    if (!view)
        return Fail("the plug-in has no editor");
    bool passed = false;
    uint32_t frameReferences = 0;
    {
        PlugViewEditor editor(view, out_);
        const WindowMode::EditRecord edits{[&handler] { return handler.Edits().size(); },
                                           [this, &handler](size_t first) { PrintEdits(handler, first); }};
        std::string error;
        passed = WindowMode::Run(editor, options_, edits, out_, error) || Fail(error);
        frameReferences = editor.FrameReferences();
    }
    const uint32_t remaining = TableOf<UnknownSlots>(view).release(view);
    if (passed && remaining != 0)
        passed = Fail("the editor view still holds " + std::to_string(remaining) + " references after its release");
    if (passed && frameReferences != 0)
        passed = Fail("the editor view kept references to the host's frame");
    return passed;
}

void Vst3Session::PrintEdits(const ComponentHandler& handler, size_t first)
{
    const std::vector<ComponentHandler::Edit>& edits = handler.Edits();
    for (size_t i = first; i < edits.size(); ++i)
    {
        const ComponentHandler::Edit& edit = edits[i];
        if (edit.kind == ComponentHandler::Edit::Kind::Begin)
            std::fprintf(out_, "edit: begin %u\n", edit.id);
        else if (edit.kind == ComponentHandler::Edit::Kind::End)
            std::fprintf(out_, "edit: end %u\n", edit.id);
        else
            std::fprintf(out_, "edit: perform %u = %.6f\n", edit.id, edit.value);
    }
}

bool Vst3Session::PrepareBuses(EffectInstance& effect, int32_t& inputChannels, int32_t& outputChannels)
{
    const auto& component = effect.Component();
    void* object = effect.ComponentObject();
    std::vector<uint64_t> arrangements[2];
    int32_t* channels[2] = {&inputChannels, &outputChannels};
    for (int32_t direction : {kInputDirection, kOutputDirection})
    {
        const int32_t count = component.getBusCount(object, kAudioMedia, direction);
        for (int32_t index = 0; index < count; ++index)
        {
            uint64_t arrangement = 0;
            effect.Processor().getBusArrangement(effect.ProcessorObject(), direction, index, &arrangement);
            arrangements[direction].push_back(arrangement);
            BusInfoRecord bus{};
            if (component.getBusInfo(object, kAudioMedia, direction, index, &bus) != kComOk)
                return Fail("a bus has no record");
            if (index == 0)
                *channels[direction] = bus.channelCount;
            component.activateBus(object, kAudioMedia, direction, index, 1);
        }
    }
    if (effect.Processor().setBusArrangements(
            effect.ProcessorObject(), arrangements[kInputDirection].data(),
            static_cast<int32_t>(arrangements[kInputDirection].size()), arrangements[kOutputDirection].data(),
            static_cast<int32_t>(arrangements[kOutputDirection].size())) != kComOk)
        return Fail("the effect refused its own bus arrangements");
    return true;
}

bool Vst3Session::LoadState(EffectInstance& effect)
{
    if (options_.loadStatePath.empty())
        return true;
    std::vector<uint8_t> bytes;
    if (!ByteFile::Read(options_.loadStatePath, bytes))
        return Fail("cannot read " + options_.loadStatePath);
    MemoryStream stream(bytes);
    if (effect.Component().setState(effect.ComponentObject(), stream.Object()) != kComOk)
        return Fail("the state in " + options_.loadStatePath + " was not accepted");
    std::fprintf(out_, "loaded state: %zu bytes\n", bytes.size());
    return true;
}

bool Vst3Session::QueueChanges(EffectInstance& effect, ParameterChanges& changes)
{
    if (options_.program)
    {
        const UnitInfoTable* units = effect.Units();
        ProgramListRecord list{};
        if (!units || units->getProgramListCount(effect.UnitsObject()) < 1 ||
            units->getProgramListInfo(effect.UnitsObject(), 0, &list) != kComOk ||
            *options_.program >= list.programCount)
            return Fail("the effect has no program " + std::to_string(*options_.program));
        changes.Add(kProgramParamId, 0, static_cast<double>(*options_.program) / list.programCount);
    }
    for (const auto& [id, value] : options_.parameters)
        changes.Add(id, 0, value);
    return true;
}

bool Vst3Session::RenderAll(EffectInstance& effect, Vst3Renderer& renderer)
{
    bool written = options_.outputPath.empty();
    for (int32_t sampleSize : options_.sampleSizes)
    {
        void* processor = effect.ProcessorObject();
        if (effect.Processor().canProcessSampleSize(processor, sampleSize) != kComOk)
            return Fail(std::string("the effect cannot process ") + SampleSizeName(sampleSize) + " samples");
        ProcessSetupRecord setup{kRealtimeMode, sampleSize, options_.blockSize, options_.sampleRate};
        if (effect.Processor().setupProcessing(processor, &setup) != kComOk)
            return Fail("setupProcessing failed");
        ParameterChanges changes;
        if (!QueueChanges(effect, changes))
            return false;
        effect.Component().setActive(effect.ComponentObject(), 1);
        AudioBuffer output;
        std::string error;
        const bool rendered = renderer.Render(input_, sampleSize, options_.blockSize, &changes, output, error);
        effect.Component().setActive(effect.ComponentObject(), 0);
        if (!rendered)
            return Fail(error);

        RenderReport::PrintLevels(SampleSizeName(sampleSize), kSampleSizeNameWidth, output, out_);
        if (options_.expectPassThrough && !CheckPassThrough(renderer, sampleSize, output))
            return false;
        if (!written)
        {
            if (!WavFile::Write(options_.outputPath, output, options_.sampleRate, error))
                return Fail(error);
            written = true;
        }
    }
    PrintParameterResults(effect);
    return true;
}

void Vst3Session::PrintParameterResults(EffectInstance& effect)
{
    const auto& controller = effect.Controller();
    void* object = effect.ControllerObject();
    if (options_.program)
    {
        char16_t name[128] = {};
        if (const UnitInfoTable* units = effect.Units())
            units->getProgramName(effect.UnitsObject(), static_cast<int32_t>(kProgramParamId), *options_.program, name);
        std::fprintf(out_, "program %d: %s\n", *options_.program, Vst3Report::Narrow(name, std::size(name)).c_str());
    }
    for (const auto& [id, requested] : options_.parameters)
    {
        const double value = controller.getParamNormalized(object, id);
        char16_t text[128] = {};
        const bool hasText = controller.getParamStringByValue(object, id, value, text) == kComOk;
        std::fprintf(out_, "param %s = %.6f (asked %.6f): %s\n", Vst3Report::ParamIdText(id).c_str(), value, requested,
                     hasText ? Vst3Report::Narrow(text, std::size(text)).c_str() : "(no text)");
    }
}

bool Vst3Session::CheckPassThrough(const Vst3Renderer& renderer, int32_t sampleSize, const AudioBuffer& output)
{
    const std::string failure = RenderReport::CheckPassThrough(SampleSizeName(sampleSize), kSampleSizeNameWidth,
                                                               renderer.PluginInputs(input_), output, out_);
    return failure.empty() || Fail(failure);
}

std::vector<uint8_t> Vst3Session::GetState(EffectInstance& effect, bool fromController, bool& ok)
{
    MemoryStream stream;
    const ComResult result = fromController
                                 ? effect.Controller().getState(effect.ControllerObject(), stream.Object())
                                 : effect.Component().getState(effect.ComponentObject(), stream.Object());
    ok = result == kComOk && !stream.Bytes().empty();
    return stream.Bytes();
}

bool Vst3Session::SaveState(EffectInstance& effect)
{
    if (options_.saveStatePath.empty())
        return true;
    bool ok = false;
    const std::vector<uint8_t> state = GetState(effect, false, ok);
    if (!ok)
        return Fail("the effect gave no state");
    if (!ByteFile::Write(options_.saveStatePath, state))
        return Fail("cannot write " + options_.saveStatePath);
    std::fprintf(out_, "saved state: %zu bytes\n", state.size());
    return true;
}

bool Vst3Session::RoundTripState(EffectInstance& effect)
{
    bool ok = false;
    const std::vector<uint8_t> first = GetState(effect, false, ok);
    if (!ok)
        return Fail("the component gave no state");
    MemoryStream stream(first);
    if (effect.Component().setState(effect.ComponentObject(), stream.Object()) != kComOk)
        return Fail("the component refused its own state");
    const std::vector<uint8_t> second = GetState(effect, false, ok);
    if (!ok || second != first)
        return Fail("the state changed in a round trip");
    const std::vector<uint8_t> controllerState = GetState(effect, true, ok);
    if (!ok || controllerState != first)
        return Fail("the controller's state differs from the component's");
    std::fprintf(out_, "state: %zu bytes, round trip unchanged, the same from component and controller\n",
                 first.size());
    return true;
}

std::vector<double> Vst3Session::ControllerValues(EffectInstance& effect)
{
    const auto& controller = effect.Controller();
    void* object = effect.ControllerObject();
    std::vector<double> values;
    const int32_t count = controller.getParameterCount(object);
    for (int32_t index = 0; index < count; ++index)
    {
        ParamInfoRecord info{};
        if (controller.getParameterInfo(object, index, &info) != kComOk || (info.flags & kProgramChangeFlag))
            continue;
        values.push_back(controller.getParamNormalized(object, info.id));
    }
    return values;
}

bool Vst3Session::Settle(EffectInstance& effect, ComponentHandler& handler, RunLoop& loop, const char* step)
{
    if (handler.ReentrantRestarts() != 0)
        return Fail(std::string("during ") + step + ": the plug-in called restartComponent from inside a host call into it");
    const uint32_t latency = effect.Processor().getLatencySamples(effect.ProcessorObject());
    handler.AllowRestarts(true);
    const bool told = loop.RunUntil([&] { return toldLatency_ == latency; });
    handler.AllowRestarts(false);
    if (!told)
        return Fail(std::string("after ") + step + ": the latency change to " + std::to_string(latency) +
                    " never reached the host, which still has " + std::to_string(toldLatency_));

    const std::vector<double> before = ControllerValues(effect);
    bool ok = false;
    const std::vector<uint8_t> state = GetState(effect, false, ok);
    if (!ok)
        return Fail(std::string("after ") + step + ": the component gave no state");
    MemoryStream stream(state);
    if (effect.Controller().setComponentState(effect.ControllerObject(), stream.Object()) != kComOk)
        return Fail(std::string("after ") + step + ": the controller refused the component's state");
    const std::vector<double> after = ControllerValues(effect);
    std::string differences;
    for (size_t i = 0; i < before.size() && i < after.size(); ++i)
        if (before[i] != after[i])
            differences += " #" + std::to_string(i) + " " + std::to_string(before[i]) + " -> " + std::to_string(after[i]);
    if (!differences.empty() || before.size() != after.size())
        return Fail(std::string("after ") + step + ": the controller's values are not the component's:" + differences);
    return true;
}

void Vst3Session::PrintValues(EffectInstance& effect)
{
    std::fprintf(out_, "latency: %u\n", toldLatency_);
    const std::vector<double> values = ControllerValues(effect);
    std::fprintf(out_, "values:");
    for (double value : values)
        std::fprintf(out_, " %.17g", value);
    std::fprintf(out_, "\n");
}
