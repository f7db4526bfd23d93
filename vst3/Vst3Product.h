#pragma once

class IEffectVST3;

// Builds one instance of the module's product; defined once per module by the product.
// Called under the process-wide instance-creation lock; may throw (the factory catches).
IEffectVST3* CreateVst3Product();
