#pragma once

#include "vst3/abi/FactoryRecords.h"

// The records the module's factory gives the host: the vendor and the product's one class.
// Each is built once, on first use, and lives as long as the module.
const Vst3::PFactoryInfo& ProductFactoryInfo();
const Vst3::PClassInfo2& ProductClassInfo();
