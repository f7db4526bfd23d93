#include "plugin/ReplaceFileContents.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace
{
constexpr char kTemporarySuffix[] = ".zvtmp";

bool WriteAll(const std::filesystem::path& path, std::string_view contents, FileMode mode)
{
    std::ios::openmode openMode = std::ios::out | std::ios::trunc;
    if (mode == FileMode::kBinary)
        openMode |= std::ios::binary;
    std::ofstream out(path, openMode);
    if (!out.is_open())
        return false;
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    // Closing flushes; a full disk shows up here at the latest.
    out.close();
    return !out.fail();
}
}

bool ReplaceFileContents(const std::string& path, std::string_view contents, FileMode mode)
{
    if (path.empty())
        return false;
    try
    {
        const std::filesystem::path target(path);
        const std::filesystem::path temporary(path + kTemporarySuffix);
        std::error_code error;
        if (WriteAll(temporary, contents, mode))
        {
            // Replaces an existing file in one step on both platforms.
            std::filesystem::rename(temporary, target, error);
            if (!error)
                return true;
        }
        std::filesystem::remove(temporary, error);
        return false;
    }
    catch (const std::exception&)
    {
        // A path the platform cannot convert, or no memory for it.
        return false;
    }
}
