#include "tests/dsp_units_files/TempFile.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace
{
std::atomic<int> gNextFile{0};
}

TempFile::TempFile(const std::string& suffix)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    // Test processes run in parallel: a random tag keeps their files apart.
    const unsigned tag = std::random_device{}();
    mPath = (folder / ("zv_curve_" + std::to_string(tag) + "_" + std::to_string(gNextFile++) + suffix)).string();
}

TempFile::~TempFile()
{
    std::error_code ignored;
    std::filesystem::remove(mPath, ignored);
}

void TempFile::Write(const std::string& bytes) const
{
    std::ofstream(mPath, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempFile::Read() const
{
    std::ifstream in(mPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
