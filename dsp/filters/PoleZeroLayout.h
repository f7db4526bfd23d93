#pragma once

#include "dsp/filters/PoleZeroPair.h"

#include <cstdint>
#include <span>
#include <vector>

namespace Dsp {

// Poles and zeros of an analog or digital filter, filled by appending, over storage that the
// owning design holds. normalW is the frequency at which the finished cascade must have the
// magnitude normalGain (radians per sample in a digital layout).
class PoleZeroLayout {
public:
    PoleZeroLayout(std::span<PoleZeroPair> pairs, double normalW, double normalGain);

    int32_t GetNumPoles() const { return numPoles; }
    int32_t GetNumPairs() const { return (numPoles + 1) / 2; }
    const PoleZeroPair& GetPair(int index) const { return pairs[index]; }
    std::vector<PoleZeroPair> GetPairs() const;

    void Clear() { numPoles = 0; }
    // Appends (pole, conj pole, zero, conj zero): two poles.
    void AddConjugatePair(const Complex& pole, const Complex& zero)
    {
        AddPair({pole, std::conj(pole), zero, std::conj(zero)});
    }

    // Appends (pole, 0, zero, 0): one pole.
    void AddSingle(const Complex& pole, const Complex& zero)
    {
        pairs[numPoles / 2] = {pole, Complex(), zero, Complex()};
        numPoles += 1;
    }

    // Appends a pair whose two poles are given: two poles.
    void AddPair(const PoleZeroPair& pair)
    {
        pairs[numPoles / 2] = pair;
        numPoles += 2;
    }

    double normalW;
    double normalGain;

private:
    std::span<PoleZeroPair> pairs;
    int32_t numPoles = 0;
};

} // namespace Dsp
