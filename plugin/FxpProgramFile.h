#pragma once

#include "framework/StateChunk.h"

#include <cstdint>
#include <string>
#include <vector>

// The VST 2 program file (".fxp"): a header of big-endian 32-bit fields and a 28-byte name,
// then either the plug-in's program chunk (format "FPCh") or one big-endian float per
// parameter holding its normalised value (format "FxCk").
class FxpProgramFile
{
public:
    static constexpr int64_t kHeaderSize = 60;
    static constexpr int64_t kSmallestFile = 56;
    // Far above any program of this plug-in; a larger file is refused before it is read.
    static constexpr int64_t kLargestFile = 4 * 1024 * 1024;
    static constexpr int kNameSize = 28;

    // What identifies the plug-in a file belongs to.
    struct Identity
    {
        int32_t pluginId;
        // As IEffectBase keeps it: major, minor and patch in the bytes from high to low.
        int32_t versionWord;
        int32_t paramCount;
    };

    enum class Form
    {
        kChunk,
        kParameters,
    };

    // A file that passed every check.
    struct Content
    {
        Form form = Form::kChunk;
        // The 28 bytes of the name, terminated after them.
        char name[kNameSize + 1] = {};
        // Chunk form: the chunk's bytes, exactly as many as the header declares, and where the
        // state block starts within them (behind the chunk header when there is one).
        StateChunk chunk;
        int32_t stateStart = 0;
        // Parameter form: one finite normalised value per parameter, within 0..1.
        std::vector<double> values;
    };

    // The file as the plug-in writes it: the header and the chunk form. The name is cut to
    // 27 characters.
    static std::vector<uint8_t> Compose(const Identity& identity, const char* name, const StateChunk& chunk);

    // Reads a whole file; false when it cannot be opened or read, or is shorter than
    // kSmallestFile or longer than kLargestFile.
    static bool ReadFile(const std::string& path, std::vector<uint8_t>& image);

    // Checks the whole image before anything is taken from it; false for another plug-in's file,
    // another parameter count or format version, sizes beyond the file, a short parameter list
    // or a value that is not finite.
    static bool Parse(const std::vector<uint8_t>& image, const Identity& identity, Content& content);
};
