#pragma once

#include "vst3/base/ClassFactory.h"

class IEffectVST3;

// The module's one class factory, offering the product's class. The module keeps a plain
// pointer to the living factory: it is created on demand, shared while hosts hold references,
// and forgotten when its last reference goes, so a later request builds a new one.
class ModuleFactory : public Vst3::ClassFactory
{
public:
    using ProductFactory = IEffectVST3* (*)();

    // The living factory with one more reference, or a new one with one reference; null
    // when none can be built. Safe to call from several threads.
    static Vst3::IClassFactory* Acquire(ProductFactory product);

private:
    explicit ModuleFactory(ProductFactory product);
    ~ModuleFactory() override;

    // The class's create function; the context is the factory.
    static Vst3::FUnknown* CreateInstance(void* context);

    ProductFactory mProduct;
};
