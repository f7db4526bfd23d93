#include "dsp/units/filters/DesignParams.h"

int DesignParams::FindIndex(const Dsp::Filter& design, int32_t id)
{
    return design.FindParamIndex(id);
}

Dsp::FilterParams DesignParams::Defaults(const Dsp::Filter& design)
{
    Dsp::FilterParams values{};
    for (int index = 0; index < design.GetNumParams(); ++index)
        values[index] = design.GetParamInfo(index).defaultValue;
    return values;
}

void DesignParams::ApplyDefaults(Dsp::Filter& design)
{
    design.SetParams(Defaults(design));
}

void DesignParams::Write(const Dsp::Filter& design, Dsp::FilterParams& values, int32_t id, double value)
{
    const int index = FindIndex(design, id);
    if (index >= 0)
        values[index] = value;
}

void DesignParams::Set(Dsp::Filter& design, int32_t id, double value)
{
    const int index = FindIndex(design, id);
    if (index < 0)
        return;
    Dsp::FilterParams values = design.params;
    values[index] = value;
    design.SetParams(values);
}

double DesignParams::Get(const Dsp::Filter& design, int32_t id, double fallback)
{
    const int index = FindIndex(design, id);
    return index < 0 ? fallback : design.params[index];
}

double DesignParams::FromNormalised(const Dsp::Filter& design, int32_t id, double normalised, double fallback)
{
    const int index = FindIndex(design, id);
    if (index < 0)
        return fallback;
    const Dsp::ParamInfo info = design.GetParamInfo(index);
    return info.fromNormalised(info, normalised);
}
