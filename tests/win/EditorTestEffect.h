#pragma once

#include "framework/vst2/IEffectVST.h"
#include "tests/win/EditorTestProduct.h"

// The VST 2 product the editor-window tests open through the plug-in's real entry point: the
// pass-through base with the tests' small editor.
class EditorTestEffect : public IEffectVST, public EditorTestProduct
{
public:
    explicit EditorTestEffect(audioMasterCallback hostCallback);
};
