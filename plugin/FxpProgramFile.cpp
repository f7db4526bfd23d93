#include "plugin/FxpProgramFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <fstream>

namespace
{
constexpr int32_t kFileMagic = 0x43636E4B;     // "CcnK"
constexpr int32_t kChunkFormat = 0x46504368;   // "FPCh"
constexpr int32_t kParamsFormat = 0x4678436B;  // "FxCk"
constexpr int32_t kFormatVersion = 1;

constexpr int64_t kMagicOffset = 0;
constexpr int64_t kByteSizeOffset = 4;
constexpr int64_t kFormatOffset = 8;
constexpr int64_t kFormatVersionOffset = 12;
constexpr int64_t kPluginIdOffset = 16;
constexpr int64_t kPluginVersionOffset = 20;
constexpr int64_t kParamCountOffset = 24;
constexpr int64_t kNameOffset = 28;
// The chunk form's chunk size, or the parameter form's first value.
constexpr int64_t kBodyOffset = 56;
// The byte size counts everything after its own field.
constexpr int64_t kCountedFrom = kByteSizeOffset + 4;
constexpr int64_t kFieldSize = 4;

static_assert(kNameOffset + FxpProgramFile::kNameSize == kBodyOffset);
static_assert(kBodyOffset + kFieldSize == FxpProgramFile::kHeaderSize);
static_assert(sizeof(float) == kFieldSize);

// The bytes "tffp" at the start of the binding's program chunk.
constexpr uint8_t kChunkHeaderMagic[] = {'t', 'f', 'f', 'p'};
constexpr int32_t kChunkHeaderSize = 8;

constexpr int32_t kVersionDigits = 100;
constexpr int kVersionByteBits = 8;
constexpr int32_t kVersionByteMask = 0xFF;

void PutBigEndian(std::vector<uint8_t>& bytes, int64_t offset, uint32_t value)
{
    for (int64_t i = 0; i < kFieldSize; ++i)
        bytes[static_cast<size_t>(offset + i)] = static_cast<uint8_t>(value >> (8 * (kFieldSize - 1 - i)));
}

uint32_t GetBigEndian(const std::vector<uint8_t>& bytes, int64_t offset)
{
    uint32_t value = 0;
    for (int64_t i = 0; i < kFieldSize; ++i)
        value = (value << 8) | bytes[static_cast<size_t>(offset + i)];
    return value;
}

int32_t GetField(const std::vector<uint8_t>& bytes, int64_t offset)
{
    return static_cast<int32_t>(GetBigEndian(bytes, offset));
}

// 0x10100 (1.1.0) gives 10100.
int32_t DecimalVersion(int32_t word)
{
    const int32_t major = word >> (2 * kVersionByteBits);
    const int32_t minor = (word >> kVersionByteBits) & kVersionByteMask;
    const int32_t patch = word & kVersionByteMask;
    return (major * kVersionDigits + minor) * kVersionDigits + patch;
}

bool ParseChunkForm(const std::vector<uint8_t>& image, FxpProgramFile::Content& content)
{
    const auto fileSize = static_cast<int64_t>(image.size());
    if (fileSize < FxpProgramFile::kHeaderSize)
        return false;
    const int64_t chunkSize = GetField(image, kBodyOffset);
    if (chunkSize <= 0 || FxpProgramFile::kHeaderSize + chunkSize > fileSize)
        return false;
    // The state reader sees the declared chunk and nothing after it, so a block that runs past
    // the chunk is refused before anything is applied.
    const uint8_t* chunk = image.data() + FxpProgramFile::kHeaderSize;
    content.chunk.Clear();
    if (!content.chunk.AppendBytes(chunk, chunkSize))
        return false;
    const bool hasChunkHeader = chunkSize >= static_cast<int64_t>(sizeof kChunkHeaderMagic) &&
                                std::memcmp(chunk, kChunkHeaderMagic, sizeof kChunkHeaderMagic) == 0;
    content.stateStart = hasChunkHeader ? kChunkHeaderSize : 0;
    content.form = FxpProgramFile::Form::kChunk;
    return content.stateStart <= chunkSize;
}

bool ParseParameterForm(const std::vector<uint8_t>& image, int32_t paramCount, FxpProgramFile::Content& content)
{
    if (static_cast<int64_t>(image.size()) < kBodyOffset + kFieldSize * paramCount)
        return false;
    std::vector<double> values;
    values.reserve(static_cast<size_t>(paramCount));
    for (int32_t i = 0; i < paramCount; ++i)
    {
        const auto value = std::bit_cast<float>(GetBigEndian(image, kBodyOffset + kFieldSize * i));
        if (!std::isfinite(value))
            return false;
        values.push_back(std::clamp(static_cast<double>(value), 0.0, 1.0));
    }
    content.values = std::move(values);
    content.form = FxpProgramFile::Form::kParameters;
    return true;
}
}

std::vector<uint8_t> FxpProgramFile::Compose(const Identity& identity, const char* name, const StateChunk& chunk)
{
    const int64_t chunkSize = chunk.Size();
    std::vector<uint8_t> image(static_cast<size_t>(kHeaderSize + chunkSize), 0);
    PutBigEndian(image, kMagicOffset, kFileMagic);
    PutBigEndian(image, kByteSizeOffset, static_cast<uint32_t>(kHeaderSize - kCountedFrom + chunkSize));
    PutBigEndian(image, kFormatOffset, kChunkFormat);
    PutBigEndian(image, kFormatVersionOffset, kFormatVersion);
    PutBigEndian(image, kPluginIdOffset, static_cast<uint32_t>(identity.pluginId));
    PutBigEndian(image, kPluginVersionOffset, static_cast<uint32_t>(DecimalVersion(identity.versionWord)));
    PutBigEndian(image, kParamCountOffset, static_cast<uint32_t>(identity.paramCount));
    // At most 27 characters, so the zero-filled field always ends in a terminator.
    if (name)
        std::copy(name, std::find(name, name + kNameSize - 1, '\0'), image.begin() + kNameOffset);
    PutBigEndian(image, kBodyOffset, static_cast<uint32_t>(chunkSize));
    if (chunkSize > 0)
        std::copy(chunk.Data(), chunk.Data() + chunkSize, image.begin() + kHeaderSize);
    return image;
}

bool FxpProgramFile::ReadFile(const std::string& path, std::vector<uint8_t>& image)
{
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open() || !in.seekg(0, std::ios::end))
        return false;
    const std::streamoff size = in.tellg();
    if (size < kSmallestFile || size > kLargestFile || !in.seekg(0, std::ios::beg))
        return false;
    image.assign(static_cast<size_t>(size), 0);
    in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(size));
    return in.gcount() == size;
}

bool FxpProgramFile::Parse(const std::vector<uint8_t>& image, const Identity& identity, Content& content)
{
    const auto fileSize = static_cast<int64_t>(image.size());
    if (fileSize < kSmallestFile)
        return false;
    const int64_t byteSize = GetField(image, kByteSizeOffset);
    if (GetField(image, kMagicOffset) != kFileMagic || byteSize < 0 || byteSize > fileSize ||
        GetField(image, kFormatVersionOffset) != kFormatVersion || GetField(image, kPluginIdOffset) != identity.pluginId ||
        GetField(image, kParamCountOffset) != identity.paramCount)
        return false;
    std::copy(image.begin() + kNameOffset, image.begin() + kBodyOffset, content.name);
    content.name[kNameSize] = '\0';
    switch (GetField(image, kFormatOffset))
    {
    case kChunkFormat:
        return ParseChunkForm(image, content);
    case kParamsFormat:
        return ParseParameterForm(image, identity.paramCount, content);
    default:
        return false;
    }
}
