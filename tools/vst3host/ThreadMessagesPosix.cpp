#include "tools/vst3host/RunLoop.h"

// Without a message queue the run loop's timers are all there is.
void DispatchThreadMessages()
{
}
