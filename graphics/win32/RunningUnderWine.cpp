#include "graphics/win32/RunningUnderWine.h"

#include <windows.h>

bool RunningUnderWine()
{
    static const bool underWine = [] {
        HKEY key = nullptr;
        if (RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Wine", &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }();
    return underWine;
}
