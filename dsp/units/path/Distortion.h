#pragma once

#include "dsp/units/curves/CurveId.h"
#include "dsp/units/curves/CurveStorage.h"
#include "dsp/units/curves/DistortionCurve.h"
#include "dsp/units/SettingCrossfade.h"
#include "dsp/filters/SimdLevel.h"
#include "framework/SampleArray.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace Wezmark
{

class BuiltinCurves;

// The curve waveshaper: one transfer curve per built-in curve id, one of them selected, and a
// drive and dry/wet balance that both follow one smoothed amount. A change of curve, mode or
// drive level crossfades from the old shaping to the new one as fast as the amount glides,
// so that a program change does not put a loud new shaping on the old amount at once.
// A curve reads the built-in tables that every instance shares until it is edited; then it
// takes points of its own. Edits made on the audio thread take them from a spare set of
// arrays that the user-interface thread keeps ready (ReserveStorage), so no edit allocates
// there.
class Distortion
{
public:
    static constexpr uint16_t kCurvePoints = 2048;
    static constexpr int32_t kInitialFrames = 1024;
    static constexpr double kInitialDrive = 22.0;

    enum Mode : uint32_t
    {
        kBlend,
        kDrive,
        kDriveAndFold,
    };

    enum FilterMode : uint32_t
    {
        kQuarterDrive = 1,
        kFullDrive = 2,
    };

    // What the shaping depends on besides the amount.
    struct Shaping
    {
        DistortionCurve* curve = nullptr;
        uint32_t mode = kDrive;
        // The drive's factor for the curve and the filter mode.
        double scale = 1.0;
        bool operator==(const Shaping&) const = default;
    };

    explicit Distortion(const BuiltinCurves& builtins);
    Distortion(const Distortion&) = delete;
    Distortion& operator=(const Distortion&) = delete;
    virtual ~Distortion() = default;

    // Once after construction: library curves, names and the smoothing of normal use.
    void Init();
    void LoadBuiltinCurves();
    // The library points of an id; ids outside 1..80 give those of slot 0. Null when the slot
    // has no points.
    const double* GetBuiltinCurveData(CurveId id) const;
    // The curve id that a normalised value selects.
    static CurveId CurveIdOf(double v);
    void SelectCurve(double v);
    void SetInterpolation(double v);
    // The interpolation mode that a normalised value selects.
    static uint32_t InterpolationOf(double v);
    static constexpr uint32_t kInterpolationSteps = 4;
    void SetPolarity(double v);

    // BeginBlock once per block, then Process on the block's frames in order, any number at a
    // time, in place. A block longer than the work pair passes unchanged. Bypassed or at an
    // amount of exactly 0, the smoothed amount glides to 0, and from there blocks pass untouched.
    void BeginBlock();
    void Process(double* const io[2], int32_t frames);
    // The current mode and drive level on `curve`.
    Shaping ShapingOf(DistortionCurve* curve) const;
    // The shaping on caller-owned smoothing state: the live unit and everything the audio
    // thread uses stay untouched. `table` is the shaping curve's lookup table; the smoothed
    // amount steps once every `framesPerHostFrame` frames; a block longer than `longest` passes
    // unchanged.
    void ProcessDetached(double* const io[2], int32_t frames, const Shaping& shaping, const double* table,
                         int32_t longest, double& smoothed, int32_t framesPerHostFrame) const;
    // Paces the amount glide and the shaping crossfade as they run at 44.1 kHz, sizes the work
    // pairs for blocks of up to `maxFrames` and clears them; nothing has been heard since, so
    // the next block takes the shaping as it is then. Chooses the widest loops the processor
    // allows.
    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    // Nothing to clear: the shaping has no memory.
    void Reset() {}
    // The smoothed amount stands on its target and a shaping crossfade ends.
    void EndGlides();

    // User-interface thread only: allocates what the edits of the audio thread may need, a
    // spare set of arrays and points of its own for the stored curve.
    void ReserveStorage();
    // Whether the current curve can be edited now: it holds points of its own, or there is a
    // spare for it. Every edit below changes nothing where it cannot.
    bool CanEditCurrent() const;
    // The same for both the current and the stored curve.
    bool CanEditCurrentAndStored() const;
    // The current or the stored curve, given points of its own first where it reads shared
    // tables; null where that needs a spare there is not.
    DistortionCurve* EditableCurrent();
    DistortionCurve* EditableStored();
    // The curve of a loaded state, as the state holds it, into the stored curve: as a reading
    // of the built-in tables of `loadedId` where the points are exactly those, otherwise as
    // points of its own. False, and nothing changed, where it would need a spare there is not;
    // CanHoldLoadedCurve asks without changing anything.
    bool CanHoldLoadedCurve(const double* points, CurveId loadedId) const;
    bool HoldLoadedCurve(const double* points, CurveId loadedId);

    // One edit of the current curve; see CurveAction. Other values change nothing.
    void ApplyCurveAction(uint32_t action);
    // The stored curve's points, cleaned, into the current curve. Never needs a spare: a
    // current curve that reads shared tables takes the stored curve's arrays where there is none.
    void RestoreCurve();
    void CopyCurveFrom(const Distortion& other);

    // The current curve's points in and out of text and files; readers answer false and leave
    // the curve as it was on any failure.
    std::string& CurveToText(std::string& text) const;
    bool CurveFromText(std::string_view text);
    bool ImportCsv(const std::string& path);
    bool ImportWav(const std::string& path);
    bool ExportWav(const std::string& path) const;
    bool ExportCArray(const std::string& path) const;

    const BuiltinCurves& builtins;
    // Glides the unit out like an amount of 0.
    bool bypassed = false;
    uint32_t mode = kDrive;
    uint32_t filterMode = kFullDrive;
    double drive = kInitialDrive;
    // Target of the smoothed amount while not bypassed.
    double amount = 0.0;
    CurveId currentId = 0;
    std::array<DistortionCurve, kCurveIdCount> curves;
    DistortionCurve* current;
    // Read only by the compress curve action.
    const DistortionCurve& compressorCurve;
    // The curve of a loaded state, copied into the current curve by RestoreCurve.
    DistortionCurve storedCurve;
    std::array<DistortionCurve*, kCurveIdCount> curveById{};
    double smoothKeep;
    double smoothTake;
    // smoothKeep at 44.1 kHz, and the rate it is paced for.
    double tunedKeep;
    double sampleRate;
    double smoothedAmount = 0.0;
    // Frames per host frame while the unit runs oversampled; its glide keeps its time.
    int32_t framesPerHostFrame = 1;
    // Sized for the longest block the unit shapes, which Prepare gives.
    ChannelPair work;
    // The shaping heard, and the crossfade from the one before it.
    SettingCrossfade<Shaping> shapingCrossfade;

private:
    // The AVX2 look-ups instead of the portable ones.
    bool mWide = false;
    // Arrays for the next curve that takes points of its own on the audio thread.
    CurveArrays mSpare;

    DistortionCurve* GivePointsOfItsOwn(DistortionCurve& curve);

    // The amount glide's coefficients from tunedKeep at the current rate.
    void ApplyPace();
    double GainScale() const;
    // 0 while bypassed, else the amount.
    double TargetAmount() const;
};

} // namespace Wezmark
