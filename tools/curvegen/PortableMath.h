#pragma once

// exp and tanh from plain IEEE arithmetic, so that the generated tables come out with the same
// bits from every build and C runtime (sine and cosine come from PortableTrig).
class PortableMath
{
public:
    static double Exp(double x);
    static double Tanh(double x);
};
