#pragma once

#include <fstream>
#include <iterator>
#include <string>

// The bytes of a committed file, by its path in the repository; empty when it cannot be read.
inline std::string ReadRepoFile(const std::string& relativePath)
{
    std::ifstream in(std::string(ZV_REPO_DIR) + "/" + relativePath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
