#pragma once

// What the plug-in base needs of an editor control: its bound parameter, its auxiliary
// parameter entries, and how the plug-in side sets the shown values without telling the host.
class IControl
{
public:
    virtual ~IControl() = default;

    // -1 (or any value that is no parameter index) when unbound.
    virtual int GetParamIndex() const = 0;
    virtual int GetAuxParamCount() const = 0;
    virtual int GetAuxParamIndex(int entry) const = 0;

    // Both mark the control for redrawing.
    virtual void SetValueFromPlug(double normalised) = 0;
    virtual void SetAuxParamValueFromPlug(int entry, double normalised) = 0;
};
