#pragma once

// A normalised value from the host, made safe for a parameter: limited to 0..1; false for a
// NaN, which is ignored.
bool AcceptHostValue(double value, double& accepted);
