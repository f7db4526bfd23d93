#include "framework/IEffectBase.h"

#include "framework/ScopedLock.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace
{
constexpr const char* kUserPresetName = "user preset";
constexpr float kMatchTolerance = 0.00001f;
}

bool IEffectBase::WriteChunkHeader(StateChunk& chunk)
{
    chunk.Clear();
    return chunk.AppendInt32(kChunkMagic) && chunk.AppendInt32(kChunkVersion);
}

bool IEffectBase::SerializeParams(StateChunk& chunk)
{
    ScopedLock lock(mLock);
    for (int i = 0; i < GetParamCount(); ++i)
        if (!chunk.AppendDouble(GetParam(i)->Value()))
            return false;
    return true;
}

int IEffectBase::PrepareState(const StateChunk& chunk, int start, StateChunk& prepared)
{
    int position = start;
    for (int i = 0; i < GetParamCount(); ++i)
    {
        double value = 0.0;
        position = chunk.ReadDouble(value, position);
        if (position < 0 || !prepared.AppendDouble(GetParam(i)->Limit(value)))
            return -1;
    }
    return position;
}

int IEffectBase::UnserializeParams(const StateChunk& chunk, int start)
{
    ScopedLock lock(mLock);
    int position = start;
    for (int i = 0; i < GetParamCount() && position >= 0; ++i)
    {
        double value = 0.0;
        position = chunk.ReadDouble(value, position);
        GetParam(i)->SetPlain(value);
    }
    for (int i = 0; i < GetParamCount(); ++i)
        ParamChanged(i);
    return position;
}

bool IEffectBase::MatchesValues(const double* values, int start)
{
    bool matches = true;
    for (int i = 0; i < GetParamCount(); ++i)
    {
        const float difference = static_cast<float>(GetParam(i)->Value()) - static_cast<float>(values[start + i]);
        if (!(std::fabs(difference) < kMatchTolerance))
            matches = false;
    }
    return matches;
}

void IEffectBase::AddFactoryPreset(const char* name, const StateChunk& state)
{
    ScopedLock stateLock(mStateLock);
    for (int i = 0; i < GetPresetCount(); ++i)
    {
        PresetSlot* preset = GetPreset(i);
        if (preset->initialised)
            continue;
        preset->initialised = true;
        preset->SetName(name);
        // An uninitialised current preset may hold a chunk from ModifyCurrentPreset.
        preset->state.Clear();
        preset->state.AppendBytes(state.Data(), state.Size());
        return;
    }
}

int IEffectBase::CountUserPresets() const
{
    int count = 0;
    for (int i = 0; i < GetPresetCount(); ++i)
        if (std::strstr(GetPreset(i)->name, kUserPresetName))
            ++count;
    return count;
}

bool IEffectBase::SelectPreset(int index)
{
    ScopedLock stateLock(mStateLock);
    PresetSlot* preset = GetPreset(index);
    if (!preset)
        return false;
    bool selected = false;
    if (preset->initialised)
    {
        selected = UnserializeState(preset->state, 0) > 0;
    }
    else
    {
        preset->initialised = true;
        char name[PresetSlot::kNameSize];
        std::snprintf(name, sizeof name, "%s %d", kUserPresetName, CountUserPresets() + 1);
        preset->SetName(name);
        preset->state.Clear();
        selected = SerializeState(preset->state);
    }
    if (selected)
    {
        mCurrentPreset = index;
        OnPresetChanged();
        PushAllParamsToGui();
    }
    return selected;
}

void IEffectBase::ModifyCurrentPreset(const char* name)
{
    ScopedLock stateLock(mStateLock);
    PresetSlot* preset = GetPreset(mCurrentPreset);
    if (!preset)
        return;
    // Written aside and swapped in, so the preset's old storage is freed after the plug-in
    // lock that SerializeState takes.
    StateChunk state;
    SerializeState(state);
    preset->state.Swap(state);
    if (name && name[0] != '\0')
        preset->SetName(name);
}

bool IEffectBase::SerializePresets(StateChunk& chunk)
{
    ScopedLock stateLock(mStateLock);
    for (int i = 0; i < GetPresetCount(); ++i)
    {
        const PresetSlot* preset = GetPreset(i);
        if (!chunk.AppendText(preset->name) || !chunk.AppendByte(preset->initialised ? 1 : 0))
            return false;
        if (preset->initialised && !chunk.AppendBytes(preset->state.Data(), preset->state.Size()))
            return false;
    }
    return true;
}

int IEffectBase::PreparePresetRecord(const StateChunk& chunk, int position, PresetSlot& slot)
{
    int32_t length = 0;
    const int nameStart = chunk.ReadInt32(length, position);
    if (nameStart < 0 || length < 0 || !chunk.HasBytes(length, nameStart))
        return -1;
    // A longer name is kept cut to the slot's size but skipped whole.
    char name[PresetSlot::kNameSize] = {};
    const uint8_t* bytes = chunk.Data() + nameStart;
    for (int32_t kept = 0; kept < length && kept < PresetSlot::kNameSize - 1 && bytes[kept] != 0; ++kept)
        name[kept] = static_cast<char>(bytes[kept]);
    slot.SetName(name);

    uint8_t flag = 0;
    position = chunk.ReadByte(flag, nameStart + length);
    if (position < 0)
        return -1;
    slot.initialised = flag != 0;
    return slot.initialised ? PrepareState(chunk, position, slot.state) : position;
}

int IEffectBase::UnserializePresets(const StateChunk& chunk, int position)
{
    ScopedLock stateLock(mStateLock);
    // Every record is read and checked before a preset changes, so a damaged bank changes
    // nothing; and the presets never pass through the plug-in, which only loads the current one.
    std::vector<std::unique_ptr<PresetSlot>> loaded;
    for (int i = 0; i < GetPresetCount() && position >= 0; ++i)
    {
        loaded.push_back(std::make_unique<PresetSlot>());
        position = PreparePresetRecord(chunk, position, *loaded.back());
    }
    if (position < 0)
        return -1;
    for (int i = 0; i < GetPresetCount(); ++i)
        GetPreset(i)->Swap(*loaded[static_cast<size_t>(i)]);
    SelectPreset(mCurrentPreset);
    return position;
}

void IEffectBase::NotifyHostOfAllParams()
{
    ScopedLock lock(mLock);
    for (int i = 0; i < GetParamCount(); ++i)
        AutomateParam(i, GetParam(i)->GetNormalized());
}
