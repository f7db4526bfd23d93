#include "plugin/Zarvotone.h"

#include "graphics/IGraphics.h"
#include "framework/ScopedLock.h"
#include "plugin/FxpProgramFile.h"
#include "plugin/ProgramTextFile.h"
#include "plugin/ReplaceFileContents.h"
#include "plugin/ZarvotoneProgram.h"

#include <string_view>
#include <vector>

namespace
{
std::string_view AsText(const std::vector<uint8_t>& bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}
}

const char* Zarvotone::CurrentPresetName() const
{
    const PresetSlot* preset = GetPreset(GetCurrentPreset());
    return preset ? preset->name : "";
}

// Files are written and programs read without the plug-in lock, so no audio block waits for
// the disk; what they hold is taken and applied under it. The state lock, which guards the
// preset names and states, comes first, as in every state request.
void Zarvotone::SaveProgramFile(const std::string& path)
{
    ScopedLock stateLock(mStateLock);
    std::string text;
    {
        ScopedLock lock(mLock);
        std::string curveText;
        mUnits.hostRate.chain1.distortion.CurveToText(curveText);
        Wezmark::ZarvotoneProgram program;
        program.Values() = mCurrentValues;
        ProgramTextFile::AppendSection(text, CurrentPresetName(), program, curveText);
        // The settings section therefore names the program file selected before this save.
        mConfig.AppendSection(text);
    }
    ReplaceFileContents(path, text, FileMode::kText);
    ScopedLock lock(mLock);
    mConfig.SetLastSelectedProgramFile(path);
}

// The settings section is read into a copy of the settings, so the disk is never read under
// the lock (reading it checks that the paths it names exist).
void Zarvotone::LoadProgramFile(const std::string& path)
{
    Wezmark::ZarvotoneProgram program;
    std::string curveText;
    const bool loaded = program.LoadFromFile(path, curveText);
    PluginConfig settings;
    {
        ScopedLock lock(mLock);
        settings = mConfig;
    }
    settings.SetLastSelectedProgramFile(path);
    const bool settingsRead = settings.Load(path);
    {
        ScopedLock stateLock(mStateLock);
        ScopedLock lock(mLock);
        if (loaded)
            ApplyProgram(program, curveText);
        mConfig = settings;
    }
    // The host reads the new values again; a load is no automation.
    if (loaded)
        UpdateHostDisplay();
    if (settingsRead)
        RedrawCurveEditors();
}

// Every parameter takes the program's value (the reserved ones 0), the units follow, and the
// current preset keeps the result under the program's name. Files hold the values as saved
// from the current values, which are parameter values, so they are read back as such: read
// as normalised, the limiter level (the one parameter that does not start at 0) would move
// with every save and load.
void Zarvotone::ApplyProgram(const Wezmark::ZarvotoneProgram& program, const std::string& curveText)
{
    // Applied at once, so a state still waiting for its quiet point goes first.
    EndProgramFade();
    mCurrentValues = program.Values();
    mLoadingValues = true;
    for (int index = 0; index < GetParamCount(); ++index)
    {
        IParameter* param = GetParam(index);
        param->SetPlain(program.GetValue(index));
        if (mGraphics)
            mGraphics->ShowParamValue(index, param->Value(), false);
        ApplyParamChange(index);
    }
    mLoadingValues = false;
    if (!curveText.empty())
    {
        ReserveCurveStorage();
        for (DistortionChain* chain : mUnits.Chains())
            chain->distortion.CurveFromText(curveText);
        RefreshCurveEditor();
    }
    ModifyCurrentPreset(program.Name().c_str());
    OnPresetChanged();
}

bool Zarvotone::SaveFxpFile(const std::string& path)
{
    if (path.empty() || GetPluginApi() != kPluginApiVst2)
        return false;
    ScopedLock stateLock(mStateLock);
    std::vector<uint8_t> image;
    {
        ScopedLock lock(mLock);
        StateChunk chunk;
        if (!WriteChunkHeader(chunk) || !SerializeState(chunk))
            return false;
        image = FxpProgramFile::Compose({mPluginCode, mVersion, GetParamCount()}, CurrentPresetName(), chunk);
    }
    if (!ReplaceFileContents(path, AsText(image), FileMode::kBinary))
        return false;
    ScopedLock lock(mLock);
    mConfig.SetLastSelectedProgramFile(path);
    return true;
}

bool Zarvotone::LoadFxpFile(const std::string& path)
{
    if (path.empty() || GetPluginApi() != kPluginApiVst2)
        return false;
    std::vector<uint8_t> image;
    FxpProgramFile::Content content;
    if (!FxpProgramFile::ReadFile(path, image) ||
        !FxpProgramFile::Parse(image, {mPluginCode, mVersion, GetParamCount()}, content))
        return false;

    ScopedLock stateLock(mStateLock);
    ScopedLock lock(mLock);
    if (content.form == FxpProgramFile::Form::kChunk)
    {
        if (UnserializeState(content.chunk, content.stateStart) < 0)
            return false;
        mLoadingValues = true;
        for (int index = 0; index < GetParamCount(); ++index)
            ParamChanged(index);
        mLoadingValues = false;
        ModifyCurrentPreset(content.name);
        UpdateHostDisplay();
        return true;
    }
    // The values reach the units when the preset that now holds them is selected.
    for (int index = 0; index < GetParamCount(); ++index)
        GetParam(index)->SetNormalized(content.values[static_cast<size_t>(index)]);
    ModifyCurrentPreset(content.name);
    SelectPreset(GetCurrentPreset());
    UpdateHostDisplay();
    mConfig.SetLastSelectedProgramFile(path);
    return true;
}
