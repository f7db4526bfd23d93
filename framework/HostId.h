#pragma once

#include <cstdint>

// The host application as a small number, found from the product string it reports.
using HostId = int32_t;

constexpr HostId kHostNotDetected = -1;
constexpr HostId kHostUnknown = 0;

// Case-insensitive; the first known name found anywhere in the text decides.
HostId GetHostIdFromName(const char* product);
