#pragma once

// The host binding the effect is built on: the VST3 module builds the same sources with
// ZV_VST3_BINDING defined, the VST2 plug-in file without it.
#ifdef ZV_VST3_BINDING
#include "vst3/IEffectVST3.h"

using ZarvotoneBinding = IEffectVST3;
// The VST3 binding needs no host handle at construction; the host context arrives later.
using ZarvotoneHost = void*;
#else
#include "framework/vst2/IEffectVST.h"

using ZarvotoneBinding = IEffectVST;
using ZarvotoneHost = audioMasterCallback;
#endif
