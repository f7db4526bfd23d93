#include "tests/plugin/RenderFile.h"

#include <cstdio>
#include <cstring>

bool WriteRender(const char* path, const RenderSamples& samples)
{
    FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(samples.data(), sizeof(double), samples.size(), file) == samples.size();
    return std::fclose(file) == 0 && written;
}

bool ReadRender(const char* path, RenderSamples& samples)
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

int RunRenderTool(int argc, char** argv, const char* name, const std::function<RenderSamples()>& render,
                  const std::function<int(const RenderSamples& reference, const RenderSamples& samples)>& compare)
{
    if (argc != 3 || (std::strcmp(argv[1], "--write") != 0 && std::strcmp(argv[1], "--compare") != 0))
    {
        std::fprintf(stderr, "usage: %s --write FILE | --compare FILE\n", name);
        return 2;
    }
    const RenderSamples samples = render();
    if (std::strcmp(argv[1], "--write") == 0)
        return WriteRender(argv[2], samples) ? 0 : 1;
    RenderSamples reference;
    if (!ReadRender(argv[2], reference))
    {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 1;
    }
    return compare(reference, samples);
}
