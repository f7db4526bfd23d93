#pragma once

namespace Wezmark
{

// The scope tab's buttons and display set the view settings and the freeze through this.
class IScopeController
{
public:
    // Unfreezing leaves a gap of 20 entries in the trace.
    virtual void SetFrozen(bool frozen) = 0;
    // Moves the zoom by 10 x step percent, held within 10 to 500.
    virtual void StepZoom(bool zoomIn, double step) = 0;
    virtual int GetDrawMode() = 0;
    virtual void SetDrawMode(int mode) = 0;
    virtual bool IsInputTraceShown() = 0;
    virtual bool IsOutputTraceShown() = 0;
    virtual void SetInputTraceShown(double shown) = 0;
    virtual void SetOutputTraceShown(double shown) = 0;
    virtual ~IScopeController() = default;
};

} // namespace Wezmark
