#pragma once

#include "dsp/filters/Cascade.h"
#include "dsp/filters/DenormalFlush.h"

#include <array>

namespace Dsp {

// The filter memory of one channel: a tiny offset of alternating sign that keeps the
// recursions away from denormal numbers, and one memory per stage of the storage.
template <class StageState, int MaxStages>
class ChannelState {
public:
    static constexpr double kDenormalGuard = 1e-8;

    // Clears the stage memories; the guard's sign sequence goes on.
    void Reset() { stages.fill(StageState{}); }

    // One sample through the cascade's active stages; an empty cascade passes it unchanged.
    // The guard enters the first stage only: added later, the gain of the stages after it
    // could lift it far above its level at the input.
    double Process(double x, const Cascade& cascade)
    {
        guard = -guard;
        const int numStages = cascade.GetNumStages();
        if (numStages == 0)
            return x;
        double y = stages[0].Process(x, cascade.GetStage(0), guard);
        for (int i = 1; i < numStages; ++i)
            y = stages[i].Process(y, cascade.GetStage(i), 0.0);
        // The output too: a residue that a float sample would store as a denormal.
        return FlushVanishing(y);
    }

private:
    double guard = kDenormalGuard;
    std::array<StageState, MaxStages> stages{};
};

} // namespace Dsp
