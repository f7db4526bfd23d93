#pragma once

class IControl;

// What the plug-in base and the host bindings need of the editor's graphics object.
// The plug-in owns it and deletes it through this interface.
class IGraphics
{
public:
    virtual ~IGraphics() = default;

    // Normalises a plain value with the parameter's mapping when needed, then updates every
    // control bound to the parameter or naming it in its auxiliary entries. Takes no lock.
    virtual void ShowParamValue(int paramIndex, double value, bool normalised) = 0;
    // Creates the drawing surfaces of the editor's size.
    virtual void CreateDrawBitmap() = 0;

    virtual int GetControlCount() const = 0;
    virtual IControl* GetControl(int index) const = 0;

    // Returns the editor's window handle, or null when the window could not be created.
    virtual void* OpenEditorWindow(void* parentWindow) = 0;
    // The controls and the graphics object stay.
    virtual void CloseEditorWindow() = 0;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
};
