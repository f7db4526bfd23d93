#pragma once

#include "vst3/abi/Vst3Types.h"

// The speaker arrangement that carries a number of channels: mono, stereo, then the usual
// surround layouts up to 5.1; the empty arrangement for any other count.
Vst3::SpeakerArrangement ArrangementForChannels(Vst3::int32 channels);
