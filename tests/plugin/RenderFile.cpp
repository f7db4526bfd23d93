#include "tests/plugin/RenderFile.h"

#include <cstdio>

bool WriteRender(const char* path, const std::vector<double>& samples)
{
    FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(samples.data(), sizeof(double), samples.size(), file) == samples.size();
    return std::fclose(file) == 0 && written;
}

bool ReadRender(const char* path, std::vector<double>& samples)
{
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    double value = 0.0;
    while (std::fread(&value, sizeof value, 1, file) == 1)
        samples.push_back(value);
    std::fclose(file);
    return true;
}
