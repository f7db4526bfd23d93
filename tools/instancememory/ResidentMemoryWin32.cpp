#include "tools/instancememory/ResidentMemory.h"

#include <windows.h>
#include <psapi.h>

int64_t ResidentBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return static_cast<int64_t>(counters.WorkingSetSize);
}
