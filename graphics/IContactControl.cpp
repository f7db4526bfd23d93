#include "graphics/IContactControl.h"

void IContactControl::OnMouseUp(int, int, const MouseModifiers*)
{
    mValue.store(0.0);
    SetDirty(true);
}
