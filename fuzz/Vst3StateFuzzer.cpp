// setState as a VST3 host calls it, through a memory stream that may hand over the bytes in
// small pieces: a stream that is short or whose block is refused changes nothing, and an
// accepted one leaves a sound state. The first byte sets the most bytes one read moves.
#include "fuzz/FuzzedPlugin.h"
#include "tests/vst3/TestStream.h"
#include "vst3/abi/ResultCodes.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    Zarvotone& plugin = FuzzedPlugin();
    // From 256 bytes per read up to all at once.
    const Vst3::int32 piece = data[0] == 0 ? TestStream::kUnlimited : Vst3::int32{data[0]} << 8;
    TestStream stream(std::vector<uint8_t>(data + 1, data + size), piece);

    const std::vector<uint8_t> before = StateOf(plugin);
    const bool bypassedBefore = plugin.IsBypassed();
    if (plugin.setState(&stream) != Vst3::kResultOk &&
        (StateOf(plugin) != before || plugin.IsBypassed() != bypassedBefore))
        std::abort();
    CheckPluginState(plugin);
    return 0;
}
