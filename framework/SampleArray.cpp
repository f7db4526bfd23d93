#include "framework/SampleArray.h"

#include <utility>

SampleArray::SampleArray(SampleArray&& other) noexcept
    : data(std::exchange(other.data, nullptr)),
      capacity(std::exchange(other.capacity, 0)),
      size(std::exchange(other.size, 0))
{
}

SampleArray& SampleArray::operator=(SampleArray&& other) noexcept
{
    if (this != &other)
    {
        FreeSampleArray(*this);
        data = std::exchange(other.data, nullptr);
        capacity = std::exchange(other.capacity, 0);
        size = std::exchange(other.size, 0);
    }
    return *this;
}

SampleArray::~SampleArray()
{
    FreeSampleArray(*this);
}

ChannelPair::ChannelPair(ChannelPair&& other) noexcept
    : left(std::exchange(other.left, nullptr)),
      right(std::exchange(other.right, nullptr)),
      capacity(std::exchange(other.capacity, 0)),
      size(std::exchange(other.size, 0))
{
}

ChannelPair& ChannelPair::operator=(ChannelPair&& other) noexcept
{
    if (this != &other)
    {
        FreeChannelPair(*this);
        left = std::exchange(other.left, nullptr);
        right = std::exchange(other.right, nullptr);
        capacity = std::exchange(other.capacity, 0);
        size = std::exchange(other.size, 0);
    }
    return *this;
}

ChannelPair::~ChannelPair()
{
    FreeChannelPair(*this);
}

void ResizeSampleArray(SampleArray& array, int32_t frames)
{
    if (frames <= array.capacity)
        return;
    FreeSampleArray(array);
    array.size = frames;
    array.data = new double[frames]();
    array.capacity = frames;
}

void FreeSampleArray(SampleArray& array)
{
    delete[] array.data;
    array.data = nullptr;
    array.capacity = 0;
}

void ResizeChannelPair(ChannelPair& pair, int32_t frames)
{
    if (frames <= pair.capacity)
        return;
    FreeChannelPair(pair);
    pair.size = frames;
    pair.left = new double[frames]();
    pair.right = new double[frames]();
    pair.capacity = frames;
}

void FreeChannelPair(ChannelPair& pair)
{
    delete[] pair.left;
    delete[] pair.right;
    pair.left = nullptr;
    pair.right = nullptr;
    pair.capacity = 0;
}
