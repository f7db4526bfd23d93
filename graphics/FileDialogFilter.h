#pragma once

#include <cstddef>

// The filter and default extension of a file dialog, from a space-separated extension list
// such as "wz xjq fxp": each extension becomes "*." + extension, joined by ";", and that text
// is the filter's description and its pattern alike. The default extension is the first one.
class FileDialogFilter
{
public:
    // The dialog's filter buffer holds description, NUL, pattern, NUL, NUL.
    static constexpr size_t kFilterSize = 256;
    static constexpr size_t kExtensionSize = 16;

    // Extensions that would overflow the filter are left out whole; a first extension that
    // does not fit its buffer gives no default extension.
    explicit FileDialogFilter(const char* extensions);

    // The double-terminated filter, or null when the list named no extension.
    const char* Filter() const { return mPatternLength > 0 ? mFilter : nullptr; }
    // The pattern alone, "" when the list named no extension.
    const char* Pattern() const { return mFilter; }
    // "" when there is none.
    const char* DefaultExtension() const { return mDefaultExtension; }

private:
    void AddExtension(const char* extension, size_t length);

    char mFilter[kFilterSize] = {};
    size_t mPatternLength = 0;
    char mDefaultExtension[kExtensionSize] = {};
};
