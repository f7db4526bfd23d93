#include "plugin/CurveEditorState.h"

CurveEditorState::CurveEditorState(int32_t columns) : columns(columns)
{
    const int32_t n = this->columns.Size();
    for (int32_t i = 0; i < n; ++i)
        this->columns.Set(i, 1.0 - 2.0 * i / n);
}
