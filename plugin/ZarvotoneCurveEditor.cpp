#include "plugin/Zarvotone.h"

#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/files/CurveArrayFile.h"
#include "dsp/units/files/CurveCsvFile.h"
#include "dsp/units/files/CurveText.h"
#include "dsp/units/files/CurveWavFile.h"
#include "framework/ScopedLock.h"
#include "plugin/RedrawControl.h"
#include "plugin/ReplaceFileContents.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <span>

namespace
{
// The commit reads the columns at x = i / 2048.
constexpr double kCommitStep = 0.00048828125;

// The extension may stand anywhere in the path, as the editor has always taken it.
bool HasExtension(const std::string& path, std::initializer_list<const char*> extensions)
{
    return std::any_of(extensions.begin(), extensions.end(),
                       [&path](const char* extension) { return path.find(extension) != std::string::npos; });
}

// The value of the drawn columns at x (0..1), cubic between the columns around it.
double DrawnValueAt(const DisplayCurve& columns, double x)
{
    const int32_t count = columns.Size();
    const double width = 1.0 / count;
    const int32_t k = std::min(static_cast<int32_t>(std::floor(x * count)), count - 1);
    const double f = std::fmod(x, width) / width;
    return CubicInterpolate(columns.Get(std::max(k - 1, 0)), columns.Get(k), columns.Get(std::min(k + 1, count - 1)),
                            columns.Get(std::min(k + 2, count - 1)), f);
}

bool WriteCurveCsv(const DistortionCurve* curve, const std::string& path)
{
    std::string text;
    return curve != nullptr && ReplaceFileContents(path, CurveText::Write(*curve, text), FileMode::kText);
}
}

void Zarvotone::ApplyCurveAction(int action)
{
    if (action < 0 || action >= static_cast<int>(kNoCurveAction))
        return;
    ScopedLock lock(mLock);
    ReserveCurveStorage();
    if (IsProcessingActive())
    {
        mPendingCurveAction.store(static_cast<uint32_t>(action), std::memory_order_relaxed);
        return;
    }
    ApplyCurveActionToChains(static_cast<uint32_t>(action));
}

void Zarvotone::ReserveCurveStorage()
{
    ScopedLock lock(mLock);
    for (DistortionChain* chain : mUnits.Chains())
        chain->distortion.ReserveStorage();
}

bool Zarvotone::CurvesEditable() const
{
    const std::array<const DistortionChain*, 5> chains = mUnits.Chains();
    return std::all_of(chains.begin(), chains.end(),
                       [](const DistortionChain* chain) { return chain->distortion.CanEditCurrent(); });
}

void Zarvotone::CopyFirstCurveToOtherChains()
{
    const std::array<DistortionChain*, 5> chains = mUnits.Chains();
    for (DistortionChain* chain : std::span(chains).subspan<1>())
        chain->distortion.CopyCurveFrom(chains[0]->distortion);
}

// Chain 1 takes the action and the others copy its curve, so an action that draws random
// numbers leaves one curve everywhere, the one the state saves.
bool Zarvotone::ApplyCurveActionToChains(uint32_t action)
{
    if (!CurvesEditable())
        return false;
    mUnits.hostRate.chain1.distortion.ApplyCurveAction(action);
    CopyFirstCurveToOtherChains();
    RefreshCurveEditor();
    return true;
}

void Zarvotone::ImportCurveCsv(const std::string& path)
{
    if (HasExtension(path, {".csv", ".CSV"}))
        ImportCurve(path, &CurveCsvFile::Import);
}

void Zarvotone::ImportCurveWav(const std::string& path)
{
    if (HasExtension(path, {".wav", ".WAV"}))
        ImportCurve(path, &CurveWavFile::Import);
}

void Zarvotone::ExportCurveCsv(const std::string& path)
{
    if (HasExtension(path, {".csv", ".CSV"}))
        ExportCurve(path, &WriteCurveCsv);
}

void Zarvotone::ExportCurveWav(const std::string& path)
{
    if (HasExtension(path, {".wav", ".WAV"}))
        ExportCurve(path, &CurveWavFile::Export);
}

void Zarvotone::ExportCurveSource(const std::string& path)
{
    if (HasExtension(path, {".h", ".H", ".c", ".C"}))
        ExportCurve(path, &CurveArrayFile::Export);
}

// The file is read into a curve of its own, outside the lock; only a whole curve reaches the
// chains, under the lock, so no block waits for the disk or sees half a curve.
void Zarvotone::ImportCurve(const std::string& path, CurveReader read)
{
    DistortionCurve imported(Wezmark::Distortion::kCurvePoints);
    if (read(&imported, path))
    {
        ScopedLock lock(mLock);
        // The curve of a state still waiting for its quiet point would replace this one there.
        EndProgramFade();
        ReserveCurveStorage();
        if (DistortionCurve* first = mUnits.hostRate.chain1.distortion.EditableCurrent())
        {
            first->SetPoints(imported.Points(), imported.count);
            CopyFirstCurveToOtherChains();
            RefreshCurveEditor();
        }
    }
    StoreCurveFilePath(path);
}

// The curve is copied under the lock and written outside it.
void Zarvotone::ExportCurve(const std::string& path, CurveWriter write)
{
    DistortionCurve exported(Wezmark::Distortion::kCurvePoints);
    bool held = false;
    {
        ScopedLock lock(mLock);
        if (const DistortionCurve* current = mUnits.hostRate.chain1.distortion.current)
        {
            exported.CopyFrom(*current);
            held = true;
        }
    }
    if (held)
        write(&exported, path);
    StoreCurveFilePath(path);
}

void Zarvotone::StoreCurveFilePath(const std::string& path)
{
    ScopedLock lock(mLock);
    std::snprintf(mConfig.LastSelectedDistoCurveFile, sizeof mConfig.LastSelectedDistoCurveFile, "%s", path.c_str());
}

void Zarvotone::CommitDrawnCurve()
{
    ScopedLock lock(mLock);
    ReserveCurveStorage();
    CommitDrawing();
}

void Zarvotone::PrepareCurveDrawing()
{
    ReserveCurveStorage();
}

bool Zarvotone::CommitDrawing()
{
    const CurveEditorState* drawArea = mControls.curveDrawArea.state;
    if (!drawArea || drawArea->columns.Size() < 1)
        return true;
    ScopedLock lock(mLock);
    // A program change waiting for its quiet point would put its own curve over the drawing
    // there: the drawing goes into the waiting curve too.
    const bool changeWaits = mProgramFade.Pending();
    const std::array<DistortionChain*, 5> chains = mUnits.Chains();
    const auto editable = [changeWaits](const DistortionChain* chain) {
        return changeWaits ? chain->distortion.CanEditCurrentAndStored() : chain->distortion.CanEditCurrent();
    };
    if (!std::all_of(chains.begin(), chains.end(), editable))
        return false;
    // Each chain's current curve, and its waiting one.
    std::array<DistortionCurve*, 2 * chains.size()> targets{};
    size_t targetCount = 0;
    for (DistortionChain* chain : chains)
    {
        targets[targetCount++] = chain->distortion.EditableCurrent();
        if (changeWaits)
            targets[targetCount++] = chain->distortion.EditableStored();
    }
    for (int32_t i = 0; i < Wezmark::Distortion::kCurvePoints; ++i)
    {
        const double x = std::clamp(i * kCommitStep, 0.0, 1.0);
        const double y = -std::clamp(DrawnValueAt(drawArea->columns, x), -1.0, 1.0);
        for (DistortionCurve* curve : std::span(targets).first(targetCount))
            if (i < curve->count)
                curve->EditablePoints()[i] = std::isfinite(y) ? y : 0.0;
    }
    mPreviews.Compute(mUnits.hostRate.chain1);
    RedrawControl(mControls.curveDrawArea.control);
    RedrawControl(mControls.curveSignalPreview.control);
    return true;
}

// The flag is taken before the commit, so a stroke drawn meanwhile is committed by the next
// block; a drawing the curves have no room for yet waits for the next block too.
void Zarvotone::CommitDrawingFromBlock()
{
    CurveEditorState* drawArea = mControls.curveDrawArea.state;
    if (drawArea && drawArea->drawn.load(std::memory_order_relaxed) &&
        drawArea->drawn.exchange(false, std::memory_order_acquire) && !CommitDrawing())
        drawArea->drawn.store(true, std::memory_order_release);
}
