// The state block reader: a refused block changes nothing, an accepted one ends exactly one
// block after its start and leaves a sound state. Inputs either patch a valid block, so that
// the markers hold and the fields behind them get exercised, or stand as the chunk themselves.
#include "fuzz/FuzzedPlugin.h"

#include <algorithm>
#include <cstdlib>

namespace
{
constexpr int kBlockSize = 22264;
constexpr size_t kHeaderBytes = 4;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < kHeaderBytes)
        return 0;
    Zarvotone& plugin = FuzzedPlugin();
    static const std::vector<uint8_t> valid = StateOf(plugin);

    const bool patch = (data[0] & 1) != 0;
    const int start = data[0] >> 4;
    std::vector<uint8_t> bytes(static_cast<size_t>(start), 0);
    if (patch)
    {
        bytes.insert(bytes.end(), valid.begin(), valid.end());
        const size_t offset = start + (size_t{data[1]} << 8 | data[2]) % valid.size();
        const size_t count = std::min(size - kHeaderBytes, bytes.size() - offset);
        std::copy(data + kHeaderBytes, data + kHeaderBytes + count, bytes.begin() + static_cast<ptrdiff_t>(offset));
        // Sometimes one byte short.
        if (data[3] == 0)
            bytes.pop_back();
    }
    else
    {
        bytes.insert(bytes.end(), data + kHeaderBytes, data + size);
    }

    StateChunk chunk;
    chunk.AppendBytes(bytes.data(), static_cast<int64_t>(bytes.size()));
    const std::vector<uint8_t> before = StateOf(plugin);
    const int end = plugin.UnserializeState(chunk, start);
    if (end < 0)
    {
        if (StateOf(plugin) != before)
            std::abort();
        return 0;
    }
    if (end != start + kBlockSize)
        std::abort();
    CheckPluginState(plugin);
    return 0;
}
