#include "tools/vsthost/HostContext.h"

#include "framework/vst2/Vst2Constants.h"

#include <cmath>
#include <cstring>

HostContext* HostContext::current_ = nullptr;

namespace
{
constexpr char kVendorName[] = "Wezmark";
constexpr char kProductName[] = "vsthost";
constexpr VstIntPtr kProductVersion = 10000;
constexpr double kTempo = 120.0;
constexpr int32_t kBeatsPerBar = 4;
constexpr int32_t kBeatUnit = 4;
// Hosts give plug-ins 64-byte buffers for vendor and product strings.
constexpr size_t kHostTextCapacity = 64;

constexpr const char* kHostCanDo[] = {"sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo", "receiveVstEvents",
                                      "receiveVstMidiEvent"};

VstIntPtr CopyText(void* destination, const char* text)
{
    if (!destination)
        return 0;
    std::strncpy(static_cast<char*>(destination), text, kHostTextCapacity - 1);
    static_cast<char*>(destination)[kHostTextCapacity - 1] = '\0';
    return 1;
}
}

HostContext::HostContext(double sampleRate, int32_t blockSize) : sampleRate_(sampleRate), blockSize_(blockSize)
{
    current_ = this;
    RewindTransport();
}

HostContext::~HostContext()
{
    if (current_ == this)
        current_ = nullptr;
}

VstIntPtr HostContext::Callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void* ptr, float opt)
{
    // Plug-ins ask for the host version before their effect record exists.
    if (opcode == audioMasterVersion)
        return kVstVersion;
    return current_ ? current_->Answer(opcode, index, ptr, opt) : 0;
}

VstIntPtr HostContext::Answer(VstInt32 opcode, VstInt32 index, void* ptr, float opt)
{
    switch (opcode)
    {
    case audioMasterAutomate:
        ++automationCount_;
        edits_.push_back({opcode, index, opt});
        return 0;
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
        edits_.push_back({opcode, index, 0.0f});
        return 1;
    case audioMasterGetTime:
        return reinterpret_cast<VstIntPtr>(&timeInfo_);
    case audioMasterProcessEvents:
        if (ptr)
            eventCount_ += static_cast<const VstEvents*>(ptr)->numEvents;
        return 1;
    case audioMasterGetSampleRate:
        return static_cast<VstIntPtr>(sampleRate_);
    case audioMasterGetBlockSize:
        return blockSize_;
    case audioMasterGetCurrentProcessLevel:
        // This host renders files, never in real time.
        return kVstProcessLevelOffline;
    case audioMasterGetVendorString:
        return CopyText(ptr, kVendorName);
    case audioMasterGetProductString:
        return CopyText(ptr, kProductName);
    case audioMasterGetVendorVersion:
        return kProductVersion;
    case audioMasterCanDo:
        if (ptr)
        {
            for (const char* answer : kHostCanDo)
            {
                if (std::strcmp(static_cast<const char*>(ptr), answer) == 0)
                    return 1;
            }
        }
        return 0;
    default:
        return 0;
    }
}

void HostContext::RewindTransport()
{
    timeInfo_ = VstTimeInfo{};
    timeInfo_.sampleRate = sampleRate_;
    timeInfo_.tempo = kTempo;
    timeInfo_.timeSigNumerator = kBeatsPerBar;
    timeInfo_.timeSigDenominator = kBeatUnit;
    timeInfo_.flags = kVstTransportChanged | kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstBarsValid |
                      kVstTimeSigValid;
    UpdateMusicalPosition();
}

void HostContext::AdvanceTransport(int32_t frames)
{
    timeInfo_.samplePos += frames;
    timeInfo_.flags &= ~kVstTransportChanged;
    UpdateMusicalPosition();
}

void HostContext::UpdateMusicalPosition()
{
    const double seconds = timeInfo_.samplePos / sampleRate_;
    timeInfo_.nanoSeconds = seconds * 1e9;
    timeInfo_.ppqPos = seconds * kTempo / 60.0;
    timeInfo_.barStartPos = std::floor(timeInfo_.ppqPos / kBeatsPerBar) * kBeatsPerBar;
}
