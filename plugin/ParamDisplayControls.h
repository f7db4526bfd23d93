#pragma once

#include <array>

class IControl;
class ITextControl;

// The controls whose texts, tooltips, redraws or grey state follow what the units do after a
// parameter change. The section builders fill it; any may be missing (null), and then its
// update is skipped.
struct ParamDisplayControls
{
    // The four gain read-outs of an equaliser page: bass, low-mid, high-mid, high.
    using EqGainTexts = std::array<ITextControl*, 4>;

    IControl* inputChannelSwitch = nullptr;
    ITextControl* bitCrushText = nullptr;
    ITextControl* sampleRateText = nullptr;
    ITextControl* gateText = nullptr;
    ITextControl* interpolationText = nullptr;
    ITextControl* shapeText = nullptr;
    ITextControl* shaperModeText = nullptr;
    ITextControl* cutoffText = nullptr;
    ITextControl* transitionText = nullptr;
    ITextControl* balanceText = nullptr;
    std::array<IControl*, 2> filterTypeMenus{};
    EqGainTexts distoEqTexts{};
    EqGainTexts subEqTexts{};
    IControl* subBandChannelSwitch = nullptr;
    ITextControl* lowSplitText = nullptr;
    ITextControl* highSplitText = nullptr;
    IControl* bandDisplay = nullptr;
    ITextControl* sweepText = nullptr;
    IControl* outputFilterSwitch = nullptr;
    IControl* limiterLevelKnob = nullptr;
};
