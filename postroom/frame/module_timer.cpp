#include "frame/module_timer.h"

#include "frame/events.h"
#include "platform/platform.h"

namespace postroom {

ModuleTimer::~ModuleTimer()
{
    Stop();
}

bool ModuleTimer::Start(std::uint32_t intervalMs)
{
    Stop();
    id_ = platform::StartTimer(intervalMs, &ModuleTimer::Thunk, this);
    return id_ != 0;
}

void ModuleTimer::Stop()
{
    if (id_)
        platform::StopTimer(id_);
    id_ = 0;
    deferred_ = 0;
}

void ModuleTimer::Thunk(void* self)
{
    auto* timer = static_cast<ModuleTimer*>(self);
    if (ModuleCallScope::Depth() > 0) {
        ++timer->deferred_;
        return;
    }
    // Ticks missed meanwhile fold into this one: the work a tick does looks
    // at the state as it is now.
    timer->deferred_ = 0;
    ModuleCallScope call;
    timer->OnTick();
}

}  // namespace postroom
