#include "vst3/ModuleFactory.h"

#include "framework/ProcessLocks.h"
#include "framework/RecursiveLock.h"
#include "framework/ScopedLock.h"
#include "vst3/IEffectVST3.h"
#include "vst3/ProductRecords.h"

namespace
{
RecursiveLock& FactoryLock()
{
    static RecursiveLock lock;
    return lock;
}

// Guarded by FactoryLock.
ModuleFactory* gFactory = nullptr;
}

ModuleFactory::ModuleFactory(ProductFactory product) : ClassFactory(ProductFactoryInfo()), mProduct(product)
{
}

ModuleFactory::~ModuleFactory()
{
    ScopedLock lock(FactoryLock());
    if (gFactory == this)
        gFactory = nullptr;
}

Vst3::IClassFactory* ModuleFactory::Acquire(ProductFactory product)
{
    try
    {
        ScopedLock lock(FactoryLock());
        // A factory whose last reference is being released cannot be handed out again.
        if (gFactory && gFactory->TryAddReference())
            return gFactory;
        auto* factory = new ModuleFactory(product);
        if (!factory->RegisterClass(ProductClassInfo(), &ModuleFactory::CreateInstance, factory))
        {
            factory->ReleaseReference();
            return nullptr;
        }
        gFactory = factory;
        return factory;
    }
    catch (...)
    {
        return nullptr;
    }
}

Vst3::FUnknown* ModuleFactory::CreateInstance(void* context)
{
    const auto* factory = static_cast<const ModuleFactory*>(context);
    ScopedLock lock(InstanceCreationLock());
    IEffectVST3* plugin = factory->mProduct();
    return plugin ? static_cast<Vst3::IAudioProcessor*>(plugin) : nullptr;
}
