#include "editor/IWzRestoreCurveButton.h"

#include "plugin/IDistoCurveEditor.h"

namespace
{
constexpr int kRestoreCurveAction = 0;
}

IWzRestoreCurveButton::IWzRestoreCurveButton(IEffectBase* plug, int x, int y, const BitmapStrip* strip,
                                             Wezmark::IDistoCurveEditor* curveEditor)
    : IContactControl(plug, x, y, strip), mCurveEditor(curveEditor)
{
}

void IWzRestoreCurveButton::OnMouseDown(int, int, const MouseModifiers*)
{
    mValue.store(1.0);
    SetDirty(true);
    if (mCurveEditor)
        mCurveEditor->ApplyCurveAction(kRestoreCurveAction);
}
