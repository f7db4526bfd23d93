#include "vst3/RestartTimer.h"

#include "vst3/abi/IRunLoop.h"
#include "vst3/abi/ResultCodes.h"
#include "vst3/base/RefCountedObject.h"

namespace
{
// The object the run loop calls. The host may keep a reference past Stop, so it lives on its
// own count and forgets the callback when the timer stops.
class TimerHandler : public Vst3::ITimerHandler, public Vst3::RefCountedObject
{
public:
    explicit TimerHandler(const std::function<void()>* onTick) : mOnTick(onTick) {}

    Vst3::tresult PLUGIN_API queryInterface(const Vst3::TUID interfaceId, void** object) override
    {
        if (!object)
            return Vst3::kInvalidArgument;
        if (!Vst3::FUnknown::kIid.Matches(interfaceId) && !Vst3::ITimerHandler::kIid.Matches(interfaceId))
        {
            *object = nullptr;
            return Vst3::kNoInterface;
        }
        *object = static_cast<Vst3::ITimerHandler*>(this);
        AddReference();
        return Vst3::kResultOk;
    }
    Vst3::uint32 PLUGIN_API addRef() override { return AddReference(); }
    Vst3::uint32 PLUGIN_API release() override { return ReleaseReference(); }

    void PLUGIN_API onTimer() override
    {
        if (mOnTick)
            (*mOnTick)();
    }

    void Forget() { mOnTick = nullptr; }

private:
    const std::function<void()>* mOnTick;
};

Vst3::IRunLoop* AskForRunLoop(Vst3::FUnknown* object)
{
    void* answer = nullptr;
    if (!object || object->queryInterface(Vst3::IRunLoop::kIid.bytes, &answer) != Vst3::kResultOk)
        return nullptr;
    return static_cast<Vst3::IRunLoop*>(answer);
}
}

struct RestartTimer::Platform
{
    Vst3::IRunLoop* runLoop = nullptr;
    TimerHandler* handler = nullptr;
};

RestartTimer::Platform* RestartTimer::StartPlatform(const std::function<void()>* onTick, Vst3::FUnknown* hostContext,
                                                   Vst3::FUnknown* componentHandler)
{
    Vst3::IRunLoop* runLoop = AskForRunLoop(componentHandler);
    if (!runLoop)
        runLoop = AskForRunLoop(hostContext);
    if (!runLoop)
        return nullptr;
    auto* handler = new TimerHandler(onTick);
    if (runLoop->registerTimer(handler, kIntervalMilliseconds) != Vst3::kResultOk)
    {
        handler->Forget();
        handler->release();
        runLoop->release();
        return nullptr;
    }
    return new Platform{runLoop, handler};
}

void RestartTimer::StopPlatform(Platform* platform)
{
    platform->runLoop->unregisterTimer(platform->handler);
    platform->handler->Forget();
    platform->handler->release();
    platform->runLoop->release();
    delete platform;
}
