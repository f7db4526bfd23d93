#include "tests/vst3/TestModuleProduct.h"

#include "tests/vst3/RecordingProduct.h"
#include "vst3/Vst3Product.h"

#include <stdexcept>

ProductBehaviour gProductBehaviour = ProductBehaviour::Recording;

IEffectVST3* CreateVst3Product()
{
    switch (gProductBehaviour)
    {
    case ProductBehaviour::Nothing:
        return nullptr;
    case ProductBehaviour::Throwing:
        throw std::runtime_error("construction failed");
    case ProductBehaviour::Recording:
        break;
    }
    return new RecordingProduct;
}
