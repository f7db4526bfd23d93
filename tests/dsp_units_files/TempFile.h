#pragma once

#include <string>

// A unique path in the temporary folder; the file, if any, is removed at destruction.
class TempFile
{
public:
    explicit TempFile(const std::string& suffix);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& Path() const { return mPath; }

    void Write(const std::string& bytes) const;
    std::string Read() const;

private:
    std::string mPath;
};
