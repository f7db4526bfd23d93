#pragma once

// sin(pi u) for u in [-0.5, 0.5], on a double or lane by lane on a vector of doubles: its
// Taylor series to the 21st power, the coefficients (-1)^k pi^(2k+1) / (2k+1)!, within a few
// units in the last place of the library's sine. Summed in pairs and powers (Estrin's
// scheme), so that few operations wait on each other. By reference, so that a vector type
// wider than the build's own instruction set crosses no call.
template <class Lanes>
[[gnu::always_inline]] inline void SinPiNear(const Lanes& u, Lanes& result)
{
    constexpr double c[] = {
        3.141592653589793,      -5.167712780049969,     2.550164039877345,       -0.5992645293207919,
        0.08214588661112819,    -0.007370430945714348,  0.00046630280576761234,  -2.1915353447830204e-05,
        7.952054001475508e-07,  -2.2948428997269856e-08, 5.392664662608125e-10,
    };
    const Lanes z = u * u;
    const Lanes z2 = z * z;
    const Lanes z4 = z2 * z2;
    const Lanes z8 = z4 * z4;
    const Lanes low = (c[0] + c[1] * z) + (c[2] + c[3] * z) * z2;
    const Lanes middle = (c[4] + c[5] * z) + (c[6] + c[7] * z) * z2;
    const Lanes high = (c[8] + c[9] * z) + c[10] * z2;
    result = ((low + middle * z4) + high * z8) * u;
}
