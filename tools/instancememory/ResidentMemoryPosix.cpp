#include "tools/instancememory/ResidentMemory.h"

#include <cstdio>
#include <unistd.h>

int64_t ResidentBytes()
{
    // The second figure of statm is the resident set in pages.
    std::FILE* file = std::fopen("/proc/self/statm", "r");
    if (!file)
        return 0;
    long long total = 0;
    long long resident = 0;
    const bool read = std::fscanf(file, "%lld %lld", &total, &resident) == 2;
    std::fclose(file);
    return read ? resident * sysconf(_SC_PAGESIZE) : 0;
}
