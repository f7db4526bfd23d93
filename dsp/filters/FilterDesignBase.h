#pragma once

#include "dsp/filters/Filter.h"

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

protected:
    DesignClass design;
};

} // namespace Dsp
