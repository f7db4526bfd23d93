#include "graphics/IFileSelectorControl.h"

#include "framework/IEffectBase.h"
#include "graphics/IGraphics.h"

IFileSelectorControl::IFileSelectorControl(IEffectBase* plug, const Rect& rect, int paramIndex,
                                           const BitmapStrip* strip, int action, const char* folder,
                                           const char* extensions)
    : IControl(plug, rect, paramIndex, BlendSpec{}), mBitmap(strip ? *strip : BitmapStrip{}), mAction(action)
{
    mFolder.Set(folder ? folder : "");
    mExtensions.Set(extensions ? extensions : "");
}

void IFileSelectorControl::OnMouseDown(int, int, const MouseModifiers*)
{
    IGraphics* graphics = mPlug ? mPlug->GetGraphics() : nullptr;
    if (!graphics)
        return;
    mState = State::DialogOpen;
    SetDirty(false);
    graphics->PromptForFileName(&mPath, mAction, &mFolder, mExtensions.Get());
    double value = GetValue() + 1.0;
    if (value > 1.0)
        value = 0.0;
    mValue.store(value);
    mState = State::DialogDone;
    SetDirty(true);
}

bool IFileSelectorControl::Draw(IGraphics* graphics)
{
    if (mState != State::DialogOpen)
        return true;
    return graphics->DrawBitmap(&mBitmap, &mDrawRect, 0, 0, nullptr);
}

bool IFileSelectorControl::IsDirty()
{
    if (IControl::IsDirty())
        return true;
    if (mState != State::DialogDone)
        return false;
    mState = State::Idle;
    return true;
}
