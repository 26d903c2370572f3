// A repeating timer of the module.  A tick that comes while a module call is
// still running (the host pumps messages inside a message box or a callback)
// is not run inside that call: it is kept and run at the next tick that
// comes outside one.  A tick runs as a module call itself.
#pragma once

#include <cstdint>

namespace postroom {

class ModuleTimer {
public:
    ModuleTimer() = default;
    virtual ~ModuleTimer();
    ModuleTimer(const ModuleTimer&) = delete;
    ModuleTimer& operator=(const ModuleTimer&) = delete;

    bool Start(std::uint32_t intervalMs);
    void Stop();
    bool Running() const { return id_ != 0; }
    // Ticks kept back because a module call was running.
    int Deferred() const { return deferred_; }

protected:
    virtual void OnTick() = 0;

private:
    static void Thunk(void* self);

    std::uintptr_t id_ = 0;
    int deferred_ = 0;
};

}  // namespace postroom
