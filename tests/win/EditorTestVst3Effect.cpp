#include "tests/win/EditorTestVst3Effect.h"

#include "vst3/Vst3Product.h"

EditorTestVst3Effect::EditorTestVst3Effect()
{
    Build(*this);
}

IEffectVST3* CreateVst3Product()
{
    return new EditorTestVst3Effect;
}
