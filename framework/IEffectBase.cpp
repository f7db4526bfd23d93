#include "framework/IEffectBase.h"

#include "framework/BoundedCopy.h"
#include "framework/HostId.h"
#include "graphics/IControl.h"
#include "graphics/IGraphics.h"
#include "framework/ScopedLock.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{
constexpr const char* kEffectName = "Zarvotone 1.1";
constexpr const char* kProductName = "";
constexpr const char* kMakerName = "Wezmark";
constexpr int32_t kPluginCode = 0x7A763130;  // 'zv10'
constexpr int32_t kMakerCode = 0x577A4D6B;   // 'WzMk'
constexpr int32_t kVersion = 0x00010100;     // 1.1.0
constexpr double kDefaultSampleRate = 44100.0;
// Mono in to mono out, or stereo in to stereo out.
constexpr const char* kChannelIO = "1-1 2-2";

// Updates every control bound to the parameter, and every control that names it among
// its auxiliary entries (at the first such entry).
void ShowOnControls(const IGraphics& graphics, int index, double normalised)
{
    for (int c = 0; c < graphics.GetControlCount(); ++c)
    {
        IControl* control = graphics.GetControl(c);
        if (!control)
            continue;
        if (control->GetParamIndex() == index)
            control->SetValueFromPlug(normalised);
        for (int entry = 0; entry < control->GetAuxParamCount(); ++entry)
        {
            if (control->GetAuxParamIndex(entry) == index)
            {
                control->SetAuxParamValueFromPlug(entry, normalised);
                break;
            }
        }
    }
}

int64_t BlockBytes(int frames)
{
    return static_cast<int64_t>(frames) * static_cast<int64_t>(sizeof(double));
}

// A resize of scratch or pointer storage; true when the buffer now has exactly that size.
bool ResizeTo(GrowBuffer& buffer, int64_t bytes)
{
    buffer.Resize(bytes, true);
    return buffer.Size() == std::max<int64_t>(bytes, 0);
}

void ZeroBuffer(GrowBuffer& buffer)
{
    if (void* data = buffer.Data())
        std::memset(data, 0, static_cast<size_t>(buffer.Size()));
}
}

IEffectBase::IEffectBase(int32_t pluginApi)
    : mPluginCode(kPluginCode),
      mMakerCode(kMakerCode),
      mVersion(kVersion),
      mPluginApi(pluginApi),
      mHostId(kHostNotDetected),
      mSampleRate(kDefaultSampleRate)
{
    for (int32_t i = 0; i < kParamCount; ++i)
    {
        auto* param = new IParameter;
        if (!mParams.Add(param))
            delete param;
    }
    for (int32_t i = 0; i < kPresetCount; ++i)
    {
        auto* preset = new PresetSlot;
        if (!mPresets.Add(preset))
            delete preset;
    }
    BoundedCopy(mEffectName, kEffectName, kNameSize);
    BoundedCopy(mProductName, kProductName, kNameSize);
    BoundedCopy(mMakerName, kMakerName, kNameSize);
    ParseChannelIO(kChannelIO);
}

IEffectBase::~IEffectBase()
{
    delete mGraphics;
    mGraphics = nullptr;
    mParams.DeleteAll();
    mPresets.DeleteAll();
    mInChannels.DeleteAll();
    mOutChannels.DeleteAll();
    mChannelIOPairs.DeleteAll();
}

void IEffectBase::ParseChannelIO(const char* text)
{
    int32_t maxInputs = 0;
    int32_t maxOutputs = 0;
    for (const char* cursor = text;;)
    {
        int inputs = 0;
        int outputs = 0;
        std::sscanf(cursor, "%d-%d", &inputs, &outputs);
        maxInputs = std::max(maxInputs, static_cast<int32_t>(inputs));
        maxOutputs = std::max(maxOutputs, static_cast<int32_t>(outputs));
        auto* pair = new ChannelIOPair{inputs, outputs};
        if (!mChannelIOPairs.Add(pair))
            delete pair;
        const char* blank = std::strchr(cursor, ' ');
        if (!blank)
            break;
        cursor = blank + 1;
    }
    CreateChannels(maxInputs, maxOutputs);
}

void IEffectBase::CreateChannels(int32_t inputs, int32_t outputs)
{
    if (ResizeTo(mInputPointers, static_cast<int64_t>(inputs) * sizeof(double*)))
    {
        auto** slots = static_cast<double**>(mInputPointers.Data());
        for (int32_t i = 0; i < inputs; ++i)
        {
            slots[i] = nullptr;
            auto* channel = new InChannel;
            channel->source = &slots[i];
            if (!mInChannels.Add(channel))
                delete channel;
        }
    }
    if (ResizeTo(mOutputPointers, static_cast<int64_t>(outputs) * sizeof(double*)))
    {
        auto** slots = static_cast<double**>(mOutputPointers.Data());
        for (int32_t i = 0; i < outputs; ++i)
        {
            slots[i] = nullptr;
            auto* channel = new OutChannel;
            channel->destination = &slots[i];
            if (!mOutChannels.Add(channel))
                delete channel;
        }
    }
}

bool IEffectBase::LegalIO(int inputs, int outputs) const
{
    for (int32_t i = 0; i < mChannelIOPairs.Count(); ++i)
    {
        const ChannelIOPair* pair = mChannelIOPairs.Get(i);
        if ((inputs == -1 || pair->inputs == inputs) && (outputs == -1 || pair->outputs == outputs))
            return true;
    }
    return false;
}

void IEffectBase::Reset()
{
    ScopedLock lock(mLock);
}

void IEffectBase::ParamChanged(int)
{
    ScopedLock lock(mLock);
}

void IEffectBase::SetActive(bool)
{
    ScopedLock lock(mLock);
}

void IEffectBase::ProcessBlock(double** inputs, double** outputs, int frames)
{
    if (!outputs || frames <= 0)
        return;
    const size_t bytes = static_cast<size_t>(BlockBytes(frames));
    const int copied = std::min(GetInChannelCount(), GetOutChannelCount());
    for (int i = 0; i < GetOutChannelCount(); ++i)
    {
        if (!outputs[i])
            continue;
        const double* input = inputs && i < copied ? inputs[i] : nullptr;
        if (input)
            std::memmove(outputs[i], input, bytes);
        else
            std::memset(outputs[i], 0, bytes);
    }
}

void IEffectBase::ProcessBlockAccumulating(int frames)
{
    auto** inputs = static_cast<double**>(mInputPointers.Data());
    auto** outputs = static_cast<double**>(mOutputPointers.Data());
    ProcessBlock(inputs, outputs, frames);
    for (int c = 0; c < GetOutChannelCount(); ++c)
    {
        const OutChannel* channel = GetOutChannel(c);
        const double* result = *channel->destination;
        if (!channel->connected || !result || !channel->floatDestination)
            continue;
        for (int i = 0; i < frames; ++i)
            channel->floatDestination[i] += static_cast<float>(result[i]);
    }
}

void IEffectBase::OnEditorOpened()
{
}

void IEffectBase::OnEditorClosed()
{
}

void IEffectBase::OnRedrawTick()
{
}

void IEffectBase::HandleMidiMessage(const MidiMessage* message)
{
    SendMidiMsg(message);
}

void IEffectBase::HandleSysEx(const SysExMessage*)
{
}

bool IEffectBase::FormatParamText(int, double, char*, size_t) const
{
    return false;
}

bool IEffectBase::ParseParamText(int, const char*, double*) const
{
    return false;
}

const char* IEffectBase::ParamLabelForHost(int index) const
{
    const IParameter* param = GetParam(index);
    if (!param)
        return "";
    char text[IParameter::kTextSize];
    return FormatParamText(index, param->Value(), text, sizeof text) ? "" : param->GetLabelForHost();
}

bool IEffectBase::GetMidiKeyName(int, char* name)
{
    if (name)
        name[0] = '\0';
    return false;
}

bool IEffectBase::SerializeState(StateChunk& chunk)
{
    return SerializeParams(chunk);
}

int IEffectBase::UnserializeState(const StateChunk& chunk, int start)
{
    return UnserializeParams(chunk, start);
}

void IEffectBase::OnEditorResized()
{
}

void IEffectBase::OnHostConfigured()
{
}

void IEffectBase::ShowHostContextMenu(int, int, int)
{
}

void IEffectBase::SetParamFromEditor(int index, double normalised)
{
    ScopedLock lock(mLock);
    IParameter* param = GetParam(index);
    if (!param)
        return;
    param->SetNormalized(normalised);
    AutomateParam(index, normalised);
    ParamChanged(index);
}

void IEffectBase::TellHostOfLinkedParam(int index, double normalised)
{
    AutomateParam(index, normalised);
}

bool IEffectBase::IsRenderingOffline()
{
    return false;
}

int IEffectBase::GetHostId()
{
    return mHostId;
}

int IEffectBase::GetPluginApi()
{
    return mPluginApi;
}

void IEffectBase::ConfigureForHost()
{
}

void IEffectBase::AttachEditor(IGraphics* graphics)
{
    if (!graphics)
        return;
    ScopedLock lock(mLock);
    for (int i = 0; i < GetParamCount(); ++i)
        ShowOnControls(*graphics, i, GetParam(i)->GetNormalized());
    graphics->CreateDrawBitmap();
    if (mGraphics != graphics)
        delete mGraphics;
    mGraphics = graphics;
}

void IEffectBase::SetLatency(int samples)
{
    mLatency = samples;
}

int IEffectBase::LatencyAtMost() const
{
    return mLatency;
}

bool IEffectBase::SendSysEx(const SysExMessage*)
{
    return false;
}

void IEffectBase::PushAllParamsToGui()
{
    if (!mGraphics)
        return;
    for (int i = 0; i < GetParamCount(); ++i)
        mGraphics->ShowParamValue(i, GetParam(i)->Value(), false);
}

void IEffectBase::OnPresetChanged()
{
}

void IEffectBase::OnBlockPassedBy()
{
}

void IEffectBase::SetBlockSize(int frames)
{
    if (frames == mBlockSize || frames < 0)
        return;
    const int64_t bytes = BlockBytes(frames);
    bool resized = true;
    for (int i = 0; i < GetInChannelCount(); ++i)
    {
        InChannel* channel = GetInChannel(i);
        resized = ResizeTo(channel->scratch, bytes) && resized;
        ZeroBuffer(channel->scratch);
        // A disconnected channel reads its scratch, which may just have moved.
        if (!channel->connected)
            *channel->source = channel->Scratch();
    }
    for (int i = 0; i < GetOutChannelCount(); ++i)
    {
        OutChannel* channel = GetOutChannel(i);
        resized = ResizeTo(channel->scratch, bytes) && resized;
        ZeroBuffer(channel->scratch);
        if (!channel->connected)
            *channel->destination = channel->Scratch();
    }
    // A block size the scratch buffers cannot hold would let a block run past them.
    if (resized)
        mBlockSize = frames;
}
