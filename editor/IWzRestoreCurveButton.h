#pragma once

#include "graphics/IContactControl.h"

namespace Wezmark
{
class IDistoCurveEditor;
}

// Restores the transfer curve of the selected shape ("Restore Curve").
class IWzRestoreCurveButton : public IContactControl
{
public:
    IWzRestoreCurveButton(IEffectBase* plug, int x, int y, const BitmapStrip* strip,
                          Wezmark::IDistoCurveEditor* curveEditor);

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;

private:
    Wezmark::IDistoCurveEditor* mCurveEditor;
};
