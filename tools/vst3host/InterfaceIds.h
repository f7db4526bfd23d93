#pragma once
// The interface ids this host asks for or answers to, as 16 bytes in this platform's order.

#include <array>
#include <cstdint>

using InterfaceId = std::array<uint8_t, 16>;

namespace InterfaceIds
{
// From the four published 32-bit words: Windows stores the first word and the two halves of
// the second little-endian (as COM does), other platforms store all four words big-endian.
InterfaceId FromWords(uint32_t first, uint32_t second, uint32_t third, uint32_t fourth);
bool Equals(const uint8_t* bytes, const InterfaceId& id);

extern const InterfaceId kUnknown;
extern const InterfaceId kPluginFactory;
extern const InterfaceId kPluginFactory2;
extern const InterfaceId kPluginFactory3;
extern const InterfaceId kPluginBase;
extern const InterfaceId kComponent;
extern const InterfaceId kAudioProcessor;
extern const InterfaceId kEditController;
extern const InterfaceId kEditController2;
extern const InterfaceId kUnitInfo;
extern const InterfaceId kConnectionPoint;
extern const InterfaceId kHostApplication;
extern const InterfaceId kComponentHandler;
extern const InterfaceId kStream;
extern const InterfaceId kParameterChanges;
extern const InterfaceId kParamValueQueue;
extern const InterfaceId kPlugView;
extern const InterfaceId kPlugFrame;
extern const InterfaceId kRunLoop;
extern const InterfaceId kTimerHandler;
}
