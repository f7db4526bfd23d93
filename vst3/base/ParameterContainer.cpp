#include "vst3/base/ParameterContainer.h"

namespace Vst3
{
ParameterContainer::~ParameterContainer()
{
    RemoveAll();
}

bool ParameterContainer::Add(Parameter* parameter)
{
    if (!parameter)
        return false;
    try
    {
        mParameters.push_back(parameter);
        return true;
    }
    catch (...)
    {
        parameter->ReleaseReference();
        return false;
    }
}

void ParameterContainer::RemoveAll()
{
    for (Parameter* parameter : mParameters)
        parameter->ReleaseReference();
    mParameters.clear();
}

Parameter* ParameterContainer::At(int32 index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return mParameters[static_cast<size_t>(index)];
}

Parameter* ParameterContainer::Find(ParamID id) const
{
    for (Parameter* parameter : mParameters)
    {
        if (parameter->Info().id == id)
            return parameter;
    }
    return nullptr;
}
}
