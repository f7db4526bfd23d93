#include "tools/vst3host/MemoryStream.h"

#include "tools/vst3host/InterfaceIds.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace
{
constexpr int32_t kSeekFromStart = 0;
constexpr int32_t kSeekFromCurrent = 1;
constexpr int32_t kSeekFromEnd = 2;
}

const StreamTable MemoryStream::kTable = {
    {&MemoryStream::QueryInterface, &MemoryStream::AddRef, &MemoryStream::Release},
    &MemoryStream::Read,
    &MemoryStream::Write,
    &MemoryStream::Seek,
    &MemoryStream::Tell,
};

MemoryStream::MemoryStream(std::vector<uint8_t> bytes) : table_(&kTable), bytes_(std::move(bytes))
{
    static_assert(offsetof(MemoryStream, table_) == 0);
}

ComResult MemoryStream::QueryInterface(void* self, const uint8_t* interfaceId, void** object)
{
    if (!object)
        return kComFalse;
    *object = nullptr;
    if (!InterfaceIds::Equals(interfaceId, InterfaceIds::kUnknown) &&
        !InterfaceIds::Equals(interfaceId, InterfaceIds::kStream))
        return kComNoInterface;
    *object = self;
    AddRef(self);
    return kComOk;
}

uint32_t MemoryStream::AddRef(void* self)
{
    return ++static_cast<MemoryStream*>(self)->references_;
}

uint32_t MemoryStream::Release(void* self)
{
    return --static_cast<MemoryStream*>(self)->references_;
}

ComResult MemoryStream::Read(void* self, void* buffer, int32_t count, int32_t* bytesRead)
{
    auto& stream = *static_cast<MemoryStream*>(self);
    if (!buffer || count < 0)
        return kComFalse;
    const size_t available = stream.bytes_.size() - stream.position_;
    const size_t moved = std::min({static_cast<size_t>(count), available, static_cast<size_t>(kMostBytesPerCall)});
    if (moved > 0)
        std::memcpy(buffer, stream.bytes_.data() + stream.position_, moved);
    stream.position_ += moved;
    if (bytesRead)
        *bytesRead = static_cast<int32_t>(moved);
    return kComOk;
}

ComResult MemoryStream::Write(void* self, void* buffer, int32_t count, int32_t* bytesWritten)
{
    auto& stream = *static_cast<MemoryStream*>(self);
    if (!buffer || count < 0)
        return kComFalse;
    const size_t moved = std::min(static_cast<size_t>(count), static_cast<size_t>(kMostBytesPerCall));
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    if (stream.bytes_.size() < stream.position_ + moved)
        stream.bytes_.resize(stream.position_ + moved);
    std::copy(bytes, bytes + moved, stream.bytes_.begin() + static_cast<std::ptrdiff_t>(stream.position_));
    stream.position_ += moved;
    if (bytesWritten)
        *bytesWritten = static_cast<int32_t>(moved);
    return kComOk;
}

ComResult MemoryStream::Seek(void* self, int64_t position, int32_t mode, int64_t* result)
{
    auto& stream = *static_cast<MemoryStream*>(self);
    int64_t base = 0;
    if (mode == kSeekFromCurrent)
        base = static_cast<int64_t>(stream.position_);
    else if (mode == kSeekFromEnd)
        base = static_cast<int64_t>(stream.bytes_.size());
    else if (mode != kSeekFromStart)
        return kComFalse;
    const int64_t target = base + position;
    if (target < 0 || target > static_cast<int64_t>(stream.bytes_.size()))
        return kComFalse;
    stream.position_ = static_cast<size_t>(target);
    if (result)
        *result = target;
    return kComOk;
}

ComResult MemoryStream::Tell(void* self, int64_t* position)
{
    if (!position)
        return kComFalse;
    *position = static_cast<int64_t>(static_cast<MemoryStream*>(self)->position_);
    return kComOk;
}
