// Writes the seed corpus of the fuzz targets from what the plug-in itself writes: the host
// data of its chunks, state streams and display texts, and the files its editor saves and
// exports. With --check it compares instead of writing, so a test can tell that the committed
// corpus is what this program makes.
//
//   zv_fuzzcorpus <corpus folder>
//   zv_fuzzcorpus --check <corpus folder>

#include "tools/fuzzcorpus/FileSeeds.h"
#include "tools/fuzzcorpus/HostSeeds.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <system_error>
#include <vector>

namespace
{
Bytes ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// Files in the folder that no seed stands for, such as the seed of a program that is gone.
int ReportStrayFiles(const std::filesystem::path& folder, const std::vector<Seed>& seeds)
{
    std::set<std::filesystem::path> made;
    for (const Seed& seed : seeds)
        made.insert((folder / seed.path).lexically_normal());
    int strays = 0;
    std::error_code missingFolder;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, missingFolder))
    {
        if (entry.is_regular_file() && made.count(entry.path().lexically_normal()) == 0)
        {
            std::fprintf(stderr, "not made by zv_fuzzcorpus: %s\n", entry.path().string().c_str());
            ++strays;
        }
    }
    return strays;
}
}

int main(int argc, char** argv)
{
    const bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
    if (argc != 2 && !check)
    {
        std::fprintf(stderr, "usage: zv_fuzzcorpus [--check] <corpus folder>\n");
        return 2;
    }
    const std::filesystem::path folder = argv[argc - 1];
    std::vector<Seed> seeds = MakeHostSeeds();
    for (Seed& seed : MakeFileSeeds())
        seeds.push_back(std::move(seed));

    int failures = 0;
    for (const Seed& seed : seeds)
    {
        const std::filesystem::path path = folder / seed.path;
        if (check ? ReadFile(path) != seed.bytes : !WriteFile(path, seed.bytes))
        {
            std::fprintf(stderr, "%s: %s\n", check ? "differs" : "cannot write", path.string().c_str());
            ++failures;
        }
    }
    if (check)
        failures += ReportStrayFiles(folder, seeds);
    return failures == 0 ? 0 : 1;
}
