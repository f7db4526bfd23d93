#include "framework/IEffectBase.h"

#include "framework/ScopedLock.h"

#include <cmath>
#include <cstdio>
#include <cstring>

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
    PresetSlot* preset = GetPreset(mCurrentPreset);
    if (!preset)
        return;
    preset->state.Clear();
    SerializeState(preset->state);
    if (name && name[0] != '\0')
        preset->SetName(name);
}

bool IEffectBase::SerializePresets(StateChunk& chunk)
{
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

int IEffectBase::UnserializePresets(const StateChunk& chunk, int position)
{
    // A record that carries no readable name takes the last name read before it.
    char lastName[PresetSlot::kNameSize] = {};
    for (int i = 0; i < GetPresetCount() && position >= 0; ++i)
    {
        PresetSlot* preset = GetPreset(i);

        int32_t length = 0;
        const int nameStart = chunk.ReadInt32(length, position);
        if (nameStart < 0 || length < 0)
        {
            position = -1;
        }
        else if (!chunk.HasBytes(length, nameStart))
        {
            position = -1;
        }
        else
        {
            // A longer name is kept cut to the slot's size but skipped whole.
            int32_t kept = 0;
            const uint8_t* bytes = chunk.Data() + nameStart;
            while (kept < length && kept < PresetSlot::kNameSize - 1 && bytes[kept] != 0)
            {
                lastName[kept] = static_cast<char>(bytes[kept]);
                ++kept;
            }
            lastName[kept] = '\0';
            position = nameStart + length;
        }
        preset->SetName(lastName);

        uint8_t flag = 0;
        if (position >= 0 && chunk.ReadByte(flag, position) >= 0)
        {
            preset->initialised = flag != 0;
            position += 1;
        }
        else
        {
            position = -1;
        }

        if (position >= 0 && preset->initialised)
        {
            position = UnserializeState(chunk, position);
            if (position > 0)
            {
                preset->state.Clear();
                SerializeState(preset->state);
            }
        }
    }
    SelectPreset(mCurrentPreset);
    return position;
}

void IEffectBase::NotifyHostOfAllParams()
{
    ScopedLock lock(mLock);
    for (int i = 0; i < GetParamCount(); ++i)
        AutomateParam(i, GetParam(i)->GetNormalized());
}
