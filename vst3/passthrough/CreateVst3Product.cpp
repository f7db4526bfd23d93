#include "vst3/Vst3Product.h"
#include "vst3/passthrough/PassThroughEffectVST3.h"

IEffectVST3* CreateVst3Product()
{
    return new Wezmark::PassThroughEffectVST3;
}
