#include "tools/vst3host/RunLoop.h"

#include <windows.h>

namespace
{
constexpr DWORD kWaitMilliseconds = 5;
}

void DispatchThreadMessages()
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kWaitMilliseconds, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
