// The VST2 program file reader: a file is applied only whole. Inputs either patch a valid
// saved file, so that the checks behind the header get exercised, or stand as the file.
#include "fuzz/FuzzedPlugin.h"
#include "plugin/FxpProgramFile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace
{
constexpr size_t kHeaderBytes = 3;
// The plug-in's own id ("zv10") and version word (1.1.0).
constexpr FxpProgramFile::Identity kIdentity = {0x7A763130, 0x00010100, 85};

std::vector<uint8_t> SavedFile(Zarvotone& plugin)
{
    StateChunk chunk;
    IEffectBase::WriteChunkHeader(chunk);
    plugin.SerializeState(chunk);
    return FxpProgramFile::Compose(kIdentity, "Fuzz", chunk);
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < kHeaderBytes)
        return 0;
    Zarvotone& plugin = FuzzedPlugin();
    static const std::vector<uint8_t> saved = SavedFile(plugin);

    std::vector<uint8_t> image;
    if ((data[0] & 1) != 0)
    {
        image = saved;
        const size_t offset = (size_t{data[1]} << 8 | data[2]) % image.size();
        const size_t count = std::min(size - kHeaderBytes, image.size() - offset);
        std::copy(data + kHeaderBytes, data + kHeaderBytes + count, image.begin() + static_cast<ptrdiff_t>(offset));
    }
    else
    {
        image.assign(data + kHeaderBytes, data + size);
    }

    FxpProgramFile::Content content;
    if (!FxpProgramFile::Parse(image, kIdentity, content))
        return 0;
    if (content.form == FxpProgramFile::Form::kParameters)
    {
        if (content.values.size() != static_cast<size_t>(plugin.GetParamCount()))
            std::abort();
        for (double value : content.values)
            if (!std::isfinite(value) || value < 0.0 || value > 1.0)
                std::abort();
        return 0;
    }
    const std::vector<uint8_t> before = StateOf(plugin);
    const int end = plugin.UnserializeState(content.chunk, content.stateStart);
    if (end > content.chunk.Size())
        std::abort();
    if (end < 0 && StateOf(plugin) != before)
        std::abort();
    CheckPluginState(plugin);
    return 0;
}
