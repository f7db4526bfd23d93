#pragma once

#include <atomic>

// A plain field that the editor writes without the plug-in lock while the audio thread reads it
// (the tab index, the scope zoom): both sides go through these, so each access is one atomic word.
template <class T>
T LoadShared(const T& word)
{
    return std::atomic_ref<T>(const_cast<T&>(word)).load(std::memory_order_relaxed);
}

template <class T>
void StoreShared(T& word, T value)
{
    std::atomic_ref<T>(word).store(value, std::memory_order_relaxed);
}
