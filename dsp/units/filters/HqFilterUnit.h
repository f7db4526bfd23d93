#pragma once

#include "dsp/units/AudioProcessingUnit.h"
#include "framework/SampleArray.h"

#include <cstdint>
#include <memory>

namespace Dsp
{
class Filter;
}

namespace Wezmark
{

// The optional band limit at the end of the chain: fourth-order Bessel high pass and low
// pass keeping the output between 20 Hz (or 40 Hz) and 20 kHz.
class HqFilterUnit : public AudioProcessingUnit
{
public:
    static constexpr int32_t kInitialFrames = 1024;

    enum Mode : uint32_t
    {
        kOff = 0,
        kFrom20Hz = 1,
        kFrom40Hz = 2,
    };

    HqFilterUnit();
    ~HqFilterUnit() override;

    void Init();
    // Modes 1 and 2 set the band edges; any other mode keeps them, and only mode 0 skips processing.
    void SetMode(uint32_t newMode);
    // Sizes the working copy for blocks of up to `maxFrames`; a rate that is not a positive
    // finite number leaves the designs at the rate they had.
    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    // Clears both designs' memories; a start afresh ends their glides. EndGlides is the base's:
    // the bypass fade.
    void Reset();
    // In place; a block longer than the working copy passes unchanged.
    void Process(double* const io[2], int32_t n);

    ChannelPair work;
    std::unique_ptr<Dsp::Filter> lowPass;
    std::unique_ptr<Dsp::Filter> highPass;
    uint32_t mode = kOff;
};

} // namespace Wezmark
