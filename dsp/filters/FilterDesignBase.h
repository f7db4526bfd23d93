#pragma once

#include "dsp/filters/Filter.h"

#include <array>
#include <cstdint>

namespace Dsp {

// The design-dependent half of the interface, over one design storage.
template <class DesignClass>
class FilterDesignBase : public Filter {
public:
    int32_t GetKind() const override { return DesignClass::kKind; }
    std::string GetName() const override { return DesignClass::kName; }
    int32_t GetNumParams() const override { return DesignClass::kNumParams; }
    ParamInfo GetParamInfo(int index) const override { return DesignClass::GetParamInfo(index); }
    std::vector<PoleZeroPair> GetPoleZeroPairs() const override { return design.GetPoleZeroPairs(); }
    Complex Response(double f) const override { return design.GetCascade().Response(f); }

    void SetParams(const FilterParams& values) override
    {
        params = values;
        design.SetParams(params);
    }

    void SetTransitionLength(int) override {}

    int FindParamIndex(int32_t id) const override { return IndexOf(id); }

protected:
    static int IndexOf(int32_t id)
    {
        const auto& ids = ParamIds();
        for (int index = DesignClass::kNumParams - 1; index >= 0; --index)
            if (ids[index] == id)
                return index;
        return -1;
    }

    // The id of each parameter, in the design's order.
    static const std::array<int32_t, DesignClass::kNumParams>& ParamIds()
    {
        static const std::array<int32_t, DesignClass::kNumParams> ids = [] {
            std::array<int32_t, DesignClass::kNumParams> all{};
            for (int index = 0; index < DesignClass::kNumParams; ++index)
                all[index] = DesignClass::GetParamInfo(index).id;
            return all;
        }();
        return ids;
    }

    // Mutable so that the smoothed layer can make the design when it is first read.
    mutable DesignClass design;
};

} // namespace Dsp
