#pragma once

#include <cstdint>

struct MidiMessage
{
    int32_t offset;
    uint8_t status;
    uint8_t data1;
    uint8_t data2;
};
