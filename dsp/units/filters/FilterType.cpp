#include "dsp/units/filters/FilterType.h"

#include <cstring>

namespace
{

struct FilterTypeNames
{
    const char* longName;
    const char* shortName;
    // Further names that older program files may hold; unused places are null.
    const char* aliases[2];
};

const FilterTypeNames kNames[kFilterTypeCount] = {
    {"RBJ LowPass", "RBJ-LP", {"RBJ-LP"}},
    {"RBJ HighPass", "RBJ-HP", {"RBJ-HP"}},
    {"RBJ BandPass 1", "RBJ-BP1", {"RBJ-BP", "RBJ-BP1"}},
    {"RBJ BandPass 2", "RBJ-BP2", {"RBJ-BP2"}},
    {"RBJ BandStop", "RBJ-BS", {"RBJ-BS"}},
    {"StateVariable LowPass", "SV LP", {}},
    {"StateVariable HighPass", "SV HP", {}},
    {"StateVariable BandPass", "SV BP", {}},
    {"StateVariable BandStop", "SV BS", {}},
    {"Bessel HighPass 12dB", "BesselHP", {}},
    {"Bessel LowPass 12dB", "BesselLP", {}},
    {"Bessel BandPass 12dB", "BesselBP", {}},
    {"Bessel BandStop 12dB", "BesselBS", {}},
    {"Elliptic HighPass 12dB", "EllipticHP", {}},
    {"Elliptic LowPass 12dB", "EllipticLP", {}},
    {"Elliptic BandPass 12dB", "EllipticBP", {}},
    {"Elliptic BandStop 12dB", "EllipticBS", {}},
    {"Chebyshev HighPass 6dB", "CH-HP6", {"HP 6dB"}},
    {"Chebyshev HighPass 12dB", "CH-HP12", {"HP 12dB"}},
    {"Chebyshev HighPass 18dB", "CH-HP18", {"HP 18dB"}},
    {"Chebyshev HighPass 24dB", "CH-HP24", {"HP 24dB"}},
    {"Chebyshev HighPass 48dB", "CH-HP48", {"HP 48dB"}},
    {"Chebyshev LowPass 6dB", "CH-LP6", {"LP 6dB"}},
    {"Chebyshev LowPass 12dB", "CH-LP12", {"LP 12dB"}},
    {"Chebyshev LowPass 18dB", "CH-LP18", {"LP 18dB"}},
    {"Chebyshev LowPass 24dB", "CH-LP24", {"LP 24dB"}},
    {"Chebyshev LowPass 48dB", "CH-LP48", {"LP 48dB"}},
    {"Butterworth HighPass 12dB", "BW-HP12", {}},
    {"Butterworth LowPass 12dB", "BW-LP12", {}},
    {"Butterworth BandPass 12dB", "BW-BP12", {"BP 12dB"}},
    {"Butterworth BandStop 12dB", "BW-BS12", {"BS 12dB"}},
};

bool IsKnownType(int type)
{
    return type >= 0 && type < kFilterTypeCount;
}

} // namespace

const char* GetFilterTypeName(int type)
{
    return IsKnownType(type) ? kNames[type].longName : "";
}

const char* GetFilterTypeShortName(int type)
{
    return IsKnownType(type) ? kNames[type].shortName : "";
}

int ParseFilterType(const char* name)
{
    if (name == nullptr)
        return 0;
    for (int type = 0; type < kFilterTypeCount; ++type)
    {
        const FilterTypeNames& names = kNames[type];
        if (std::strcmp(name, names.longName) == 0)
            return type;
        for (const char* alias : names.aliases)
            if (alias != nullptr && std::strcmp(name, alias) == 0)
                return type;
    }
    return 0;
}
