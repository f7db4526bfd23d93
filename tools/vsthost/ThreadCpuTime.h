#pragma once
// The CPU time the calling thread has used so far, user and kernel together.

namespace ThreadCpuTime
{
double Seconds();
}
