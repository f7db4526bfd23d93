#pragma once

#include "vst3/base/Parameter.h"

#include <vector>

namespace Vst3
{
// The controller's parameters in the order the host indexes them. The container holds one
// reference to each and releases it when the parameter is removed.
class ParameterContainer
{
public:
    ParameterContainer() = default;
    ~ParameterContainer();
    ParameterContainer(const ParameterContainer&) = delete;
    ParameterContainer& operator=(const ParameterContainer&) = delete;

    // Takes over the caller's reference; false (and the parameter released) when it could
    // not be stored.
    bool Add(Parameter* parameter);
    void RemoveAll();

    int32 Count() const { return static_cast<int32>(mParameters.size()); }
    // Null outside 0..Count()-1.
    Parameter* At(int32 index) const;
    // Null for an id no parameter has.
    Parameter* Find(ParamID id) const;

private:
    std::vector<Parameter*> mParameters;
};
}
