#pragma once

// Sine and cosine built from plain IEEE arithmetic only, so every build and every C runtime
// gives the same bits. Arguments of any finite size are reduced exactly (the curve library
// takes sines of arguments near 1e298); non-finite arguments give NaN.
class PortableTrig
{
public:
    static double Sin(double x);
    static double Cos(double x);

private:
    struct Reduced
    {
        double high;
        double low;
        unsigned quadrant;
    };

    static Reduced Reduce(double x);
    static double Evaluate(double x, unsigned quadrantOffset);
    static double SinKernel(double high, double low);
    static double CosKernel(double high, double low);
};
