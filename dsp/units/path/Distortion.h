#pragma once

#include "dsp/units/curves/CurveId.h"
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

class DistortionDataProvider;

// The curve waveshaper: one transfer curve per built-in curve id, one of them selected, and a
// drive and dry/wet balance that both follow one smoothed amount. A change of curve, mode or
// drive level crossfades from the old shaping to the new one as fast as the amount glides,
// so that a program change does not put a loud new shaping on the old amount at once.
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

    explicit Distortion(const DistortionDataProvider& library);
    Distortion(const Distortion&) = delete;
    Distortion& operator=(const Distortion&) = delete;
    virtual ~Distortion() = default;

    // Once after construction: library curves, names, the stored curve and the smoothing of
    // normal use.
    void Init();
    void LoadBuiltinCurves();
    // The library points of an id; ids outside 1..80 give those of slot 0. Null when the slot
    // has no points.
    const double* GetBuiltinCurveData(CurveId id) const;
    void SelectCurve(double v);
    void SetInterpolation(double v);
    void SetPolarity(double v);

    // BeginBlock once per block, then Process on the block's frames in order, any number at a
    // time, in place. A block longer than the work pair passes unchanged. Bypassed or at an
    // amount of exactly 0, the smoothed amount glides to 0, and from there blocks pass untouched.
    void BeginBlock();
    void Process(double* const io[2], int32_t frames);
    // The current mode and drive level on `curve`.
    Shaping ShapingOf(DistortionCurve* curve) const;
    // The shaping on caller-owned scratch and smoothing state: the live unit and everything
    // the audio thread uses stay untouched. `table` is the shaping curve's lookup table; the
    // smoothed amount steps once every `framesPerHostFrame` frames.
    void ProcessDetached(double* const io[2], int32_t frames, const Shaping& shaping, const double* table,
                         ChannelPair& scratch, double& smoothed, int32_t framesPerHostFrame) const;
    // Paces the amount glide and the shaping crossfade as they run at 44.1 kHz, sizes the work
    // pairs for blocks of up to `maxFrames` and clears them; nothing has been heard since, so
    // the next block takes the shaping as it is then. Chooses the widest loops the processor
    // allows.
    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    // Nothing to clear: the shaping has no memory.
    void Reset() {}
    // The smoothed amount stands on its target and a shaping crossfade ends.
    void EndGlides();

    // One edit of the current curve; see CurveAction. Other values change nothing.
    void ApplyCurveAction(uint32_t action);
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

    const DistortionDataProvider& provider;
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
    DistortionCurve compressorCurve;
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
    ChannelPair work;
    // The shaping heard, and the crossfade from the one before it.
    SettingCrossfade<Shaping> shapingCrossfade;
    // The leaving shaping's curve lookups.
    ChannelPair leavingScratch;

private:
    // The AVX2 look-ups instead of the portable ones.
    bool mWide = false;

    // The amount glide's coefficients from tunedKeep at the current rate.
    void ApplyPace();
    double GainScale() const;
    // 0 while bypassed, else the amount.
    double TargetAmount() const;
};

} // namespace Wezmark
