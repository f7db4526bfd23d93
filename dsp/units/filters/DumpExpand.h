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

// The output's one-knob sweep: below 0.5 a low pass closes from the top of the spectrum,
// above 0.5 a high pass opens from the bottom; 0.5 leaves the signal untouched. Chebyshev I
// pairs of order 2 or 4, chosen by the slope.
class DumpExpand : public AudioProcessingUnit
{
public:
    static constexpr int32_t kInitialFrames = 1024;
    static constexpr double kNeutralAmount = 0.5;

    DumpExpand();
    ~DumpExpand() override;

    void Init();
    void SetSampleRate(double rate) override;
    void SetAmount(double a);
    // The cutoff in Hz that the amount moves: the low pass's below 0.5, else the high pass's.
    double GetAmount() const;
    void SetBlockSize(int32_t frames);
    void ResetDesigns();
    // In place; a block longer than the working copies passes unchanged.
    void ProcessBlock(double* const io[2], int32_t n);

    std::unique_ptr<Dsp::Filter> lowPass2;
    std::unique_ptr<Dsp::Filter> highPass2;
    std::unique_ptr<Dsp::Filter> lowPass4;
    std::unique_ptr<Dsp::Filter> highPass4;
    double amount = kNeutralAmount;
    ChannelPair dry;
    ChannelPair work;
    // 0 runs the order-2 pair, any other value the order-4 pair.
    uint32_t slope = 0;

private:
    Dsp::Filter& ActiveLowPass() const;
    Dsp::Filter& ActiveHighPass() const;
};

} // namespace Wezmark
