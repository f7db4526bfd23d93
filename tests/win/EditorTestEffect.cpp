#include "tests/win/EditorTestEffect.h"

EditorTestEffect::EditorTestEffect(audioMasterCallback hostCallback) : IEffectVST(hostCallback)
{
    Build(*this);
}
