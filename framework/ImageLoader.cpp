#include "framework/ImageLoader.h"

namespace
{
// Constant-initialised, so registrations from other files' start-up code find it ready.
constinit ImageLoader* gFirstImageLoader = nullptr;
}

void RegisterImageLoader(ImageLoader& loader)
{
    loader.next = gFirstImageLoader;
    gFirstImageLoader = &loader;
}

ImageLoader* FirstImageLoader()
{
    return gFirstImageLoader;
}
