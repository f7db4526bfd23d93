#pragma once

#include <cstdint>
#include <limits>

// A program change heard as one transition of the whole output rather than as every setting's
// own glide: units glide at different paces, and the combinations on the way could be louder
// than either program. The old program fades out; at the quiet point the new one takes over
// in a few steps, so that no one block does all the work, and runs unheard until its glides and
// filters have settled; then it fades in.
class ProgramChangeFade
{
public:
    // The unheard run lasts at least `shortestWindows` windows of `windowFrames`, and goes on,
    // window by window, while the output's peak or the sum of its sample steps still moves from
    // one window to the next (a resonant filter ringing in from cleared memory, heard as a
    // brighter waveform even where a limiter holds the peak), to at most `longestWindows`.
    void SetFrames(int32_t fadeFrames, int32_t windowFrames, int32_t shortestWindows, int32_t longestWindows);
    // The new settings go in over `steps` steps `stepFrames` apart, the first at the quiet point;
    // the output stays silent meanwhile, and the settling starts after the last.
    void SetSteps(int32_t steps, int32_t stepFrames);

    static constexpr int32_t kNoStep = -1;

    // A new program waits for the quiet point. During a transition it waits too: the fade out
    // goes on, or starts again from where a fade in stands.
    void Request();
    // Whether new settings wait for the quiet point.
    bool Pending() const { return mPending; }
    // Whether parameter changes wait too: until the first step, after which each is applied at
    // once, as the steps apply every value the parameters hold.
    bool ValuesWait() const { return mPending && mPhase != Phase::kApplying; }
    // Between the first step and the last.
    bool Applying() const { return mPhase == Phase::kApplying; }
    // The step of applying the new settings that is due before the next frame, or kNoStep. A
    // request while they go in or settle starts the steps again at once.
    int32_t DueStep() const;
    // The due step was taken; after the last, the new settings run unheard, then fade in.
    void StepTaken();
    // Every step was taken at once.
    void Applied();
    // No transition at all: the output is heard as it is.
    void Stop();

    // Frames until the next step that is not due now, where a slice of the block ends so that
    // the settings change between two frames; the largest count where none is to come.
    int32_t FramesToNextStep() const;

    // Scales the output, one step of the transition per frame; while settling, it watches the
    // unheard output.
    void Scale(double* const io[2], int32_t n);

private:
    enum class Phase
    {
        kHeard,
        kFadingOut,
        kApplying,
        kSettling,
        kFadingIn,
    };

    bool Quiet() const { return mPhase == Phase::kSettling || (mPhase == Phase::kFadingOut && mPosition >= mFadeFrames); }
    double NextGain();
    // What a window of the unheard output reached.
    struct WindowReach
    {
        double peak = 0.0;
        // The sum of the sample steps: how bright the waveform is, steadier than the largest
        // step where a sample-rate reduction's staircase falls differently in each window.
        double steps = 0.0;
    };

    // Takes one unheard frame into the window's reach; at a window's end, decides whether the
    // output has settled.
    void Watch(double left, double right);
    void StartSettling();

    int32_t mFadeFrames = 0;
    int32_t mWindowFrames = 1;
    int32_t mShortestSettleFrames = 0;
    int32_t mLongestSettleFrames = 0;
    int32_t mSteps = 1;
    int32_t mStepFrames = 1;
    // Steps taken while applying.
    int32_t mStepsTaken = 0;
    Phase mPhase = Phase::kHeard;
    // Frames into the current phase.
    int32_t mPosition = 0;
    bool mPending = false;
    WindowReach mWindow;
    WindowReach mLastWindow;
    // The last unheard frame, for the step to the next.
    double mLeft = 0.0;
    double mRight = 0.0;
    // Window ends in a row whose window matched the one before.
    int32_t mSteadyComparisons = 0;
};
