#include "dsp/units/files/FileBytes.h"

#include <cstdio>
#include <utility>

namespace
{
// Closes the file however the read ends.
struct FileCloser
{
    std::FILE* file;
    ~FileCloser()
    {
        if (file != nullptr)
            std::fclose(file);
    }
};
}

bool FileBytes::Read(const std::string& path, int64_t limit, std::vector<uint8_t>& bytes)
{
    FileCloser closer{std::fopen(path.c_str(), "rb")};
    if (closer.file == nullptr || std::fseek(closer.file, 0, SEEK_END) != 0)
        return false;
    const int64_t length = std::ftell(closer.file);
    if (length < 0 || length >= limit || std::fseek(closer.file, 0, SEEK_SET) != 0)
        return false;
    std::vector<uint8_t> contents(static_cast<size_t>(length));
    if (std::fread(contents.data(), 1, contents.size(), closer.file) != contents.size())
        return false;
    bytes = std::move(contents);
    return true;
}
