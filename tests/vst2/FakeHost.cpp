#include "tests/vst2/FakeHost.h"

#include "framework/vst2/Vst2Constants.h"

#include <algorithm>
#include <cstring>

FakeHost* FakeHost::current_ = nullptr;

FakeHost::FakeHost()
{
    current_ = this;
}

FakeHost::~FakeHost()
{
    current_ = nullptr;
}

VstIntPtr FakeHost::Callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    FakeHost* host = current_;
    if (!host)
        return 0;
    host->calls.push_back({opcode, index, value, opt});
    host->callers.push_back(effect);
    const VstIntPtr answer = host->Answer(opcode, ptr);
    if (host->onCall)
        host->onCall(opcode);
    return answer;
}

int FakeHost::CountOf(VstInt32 opcode) const
{
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [opcode](const HostCall& call) { return call.opcode == opcode; }));
}

VstIntPtr FakeHost::Answer(VstInt32 opcode, void* ptr)
{
    switch (opcode)
    {
    case audioMasterGetProductString:
        std::strcpy(static_cast<char*>(ptr), productString.c_str());
        return productString.empty() ? 0 : 1;
    case audioMasterGetVendorVersion:
        return vendorVersion;
    case audioMasterGetCurrentProcessLevel:
        return processLevel;
    case audioMasterGetTime:
        return answerTime ? reinterpret_cast<VstIntPtr>(&timeInfo) : 0;
    case audioMasterProcessEvents:
        CollectEvents(static_cast<const VstEvents*>(ptr));
        return eventsAnswer;
    default:
        return 0;
    }
}

void FakeHost::CollectEvents(const VstEvents* events)
{
    for (VstInt32 i = 0; i < events->numEvents; ++i)
    {
        const VstEvent* event = events->events[i];
        if (event->type == kVstMidiType)
        {
            midiEvents.push_back(*reinterpret_cast<const VstMidiEvent*>(event));
        }
        else if (event->type == kVstSysExType)
        {
            const auto& sysEx = *reinterpret_cast<const VstMidiSysexEvent*>(event);
            sysExEvents.push_back(sysEx);
            const auto* bytes = reinterpret_cast<const uint8_t*>(sysEx.sysexDump);
            sysExDumps.emplace_back(bytes, bytes + sysEx.dumpBytes);
        }
    }
}
