#pragma once
// The CPU time the calling thread has used so far, user and kernel together.

namespace ThreadCpuTime
{
double Seconds();
// The smallest step in which Seconds() moves: Windows (and Wine, from the kernel's clock
// ticks) counts a thread's time in steps of 10 to 16 ms, so a figure over a short run is only
// good to a step. Measured by spinning, so it costs a few steps of this thread's time.
double StepSeconds();
}
