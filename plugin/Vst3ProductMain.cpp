#include "plugin/Zarvotone.h"
#include "vst3/Vst3Product.h"

IEffectVST3* CreateVst3Product()
{
    return new Zarvotone(nullptr);
}
