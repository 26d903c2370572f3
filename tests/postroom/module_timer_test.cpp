#include <gtest/gtest.h>

#include "frame/events.h"
#include "frame/module_timer.h"
#include "platform/platform.h"

namespace postroom {
namespace {

class CountingTimer : public ModuleTimer {
public:
    int ticks = 0;
    int depthSeen = -1;
    bool stopOnTick = false;

protected:
    void OnTick() override
    {
        ++ticks;
        depthSeen = ModuleCallScope::Depth();
        if (stopOnTick)
            Stop();
    }
};

TEST(ModuleTimerTest, TicksRunAsModuleCalls)
{
    CountingTimer t;
    ASSERT_TRUE(t.Start(1000));
    platform::FireAllTimers();
    EXPECT_EQ(t.ticks, 1);
    EXPECT_EQ(t.depthSeen, 1);
}

TEST(ModuleTimerTest, TickInsideAModuleCallWaitsForTheNextOne)
{
    CountingTimer t;
    ASSERT_TRUE(t.Start(1000));
    {
        // A message box is open inside a command; the host pumps messages.
        ModuleCallScope running;
        platform::FireAllTimers();
        platform::FireAllTimers();
        EXPECT_EQ(t.ticks, 0);
        EXPECT_EQ(t.Deferred(), 2);
    }
    platform::FireAllTimers();
    EXPECT_EQ(t.ticks, 1);
    EXPECT_EQ(t.Deferred(), 0);
}

TEST(ModuleTimerTest, StoppedOrDestroyedTimersDoNotTick)
{
    CountingTimer stopping;
    stopping.stopOnTick = true;
    ASSERT_TRUE(stopping.Start(100));
    {
        CountingTimer gone;
        ASSERT_TRUE(gone.Start(100));
    }
    platform::FireAllTimers();
    platform::FireAllTimers();
    EXPECT_EQ(stopping.ticks, 1);
    EXPECT_FALSE(stopping.Running());
}

}  // namespace
}  // namespace postroom
