#pragma once

#include "tests/win/EditorTestProduct.h"
#include "vst3/IEffectVST3.h"

// The VST3 product of the editor-view tests: the binding's pass-through with the tests' small
// editor, in a module of its own.
class EditorTestVst3Effect : public IEffectVST3, public EditorTestProduct
{
public:
    EditorTestVst3Effect();
};
