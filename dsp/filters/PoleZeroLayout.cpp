#include "dsp/filters/PoleZeroLayout.h"

namespace Dsp {

PoleZeroLayout::PoleZeroLayout(std::span<PoleZeroPair> pairs, double normalW, double normalGain)
    : normalW(normalW), normalGain(normalGain), pairs(pairs)
{
}

std::vector<PoleZeroPair> PoleZeroLayout::GetPairs() const
{
    return std::vector<PoleZeroPair>(pairs.begin(), pairs.begin() + GetNumPairs());
}

void PoleZeroLayout::AddConjugatePair(const Complex& pole, const Complex& zero)
{
    AddPair({pole, std::conj(pole), zero, std::conj(zero)});
}

void PoleZeroLayout::AddSingle(const Complex& pole, const Complex& zero)
{
    pairs[numPoles / 2] = {pole, Complex(), zero, Complex()};
    numPoles += 1;
}

void PoleZeroLayout::AddPair(const PoleZeroPair& pair)
{
    pairs[numPoles / 2] = pair;
    numPoles += 2;
}

} // namespace Dsp
