#include "vst3/SpeakerArrangements.h"

#include "vst3/abi/Vst3Constants.h"

Vst3::SpeakerArrangement ArrangementForChannels(Vst3::int32 channels)
{
    using namespace Vst3;
    switch (channels)
    {
    case 1:
        return kArrangementMono;
    case 2:
        return kArrangementStereo;
    case 3:
        return kSpeakerL | kSpeakerR | kSpeakerCs;
    case 4:
        return kSpeakerL | kSpeakerR | kSpeakerLs | kSpeakerRs;
    case 5:
        return kSpeakerL | kSpeakerR | kSpeakerC | kSpeakerLs | kSpeakerRs;
    case 6:
        return kSpeakerL | kSpeakerR | kSpeakerC | kSpeakerLfe | kSpeakerLs | kSpeakerRs;
    default:
        return kArrangementEmpty;
    }
}
