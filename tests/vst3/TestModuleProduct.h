#pragma once
// What the module's product creation gives in the tests that go through GetPluginFactory.

enum class ProductBehaviour
{
    Recording,
    Nothing,
    Throwing
};

extern ProductBehaviour gProductBehaviour;
