#include <gtest/gtest.h>

#include <vector>

#include "fake_host.h"
#include "frame/events.h"
#include "frame/module.h"
#include "frame/node.h"

namespace postroom {
namespace {

using testing::FakeHost;

class Recorder : public EventReceiver {
public:
    explicit Recorder(bool takes = true) : takes_(takes) {}
    bool HandleEvent(QueuedEvent* e) override
    {
        types.push_back(e->type);
        if (!takes_)
            return false;
        delete e;
        return true;
    }
    std::vector<std::uint32_t> types;

private:
    bool takes_;
};

// Posts from its destructor, which must come to nothing.
class LoudNode : public Node {
public:
    ~LoudNode() override
    {
        if (EventDispatcher* d = EventDispatcher::Current())
            d->Post(new QueuedEvent(1234));
    }
};

class EventsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.answer = [this](const testing::HostCall& c, std::int32_t* r) {
            if (c.code == HC_POST_EVENT || c.code == HC_POST_EVENT_DELAYED) {
                posted.push_back(reinterpret_cast<QueuedEvent*>(c.p));
                *r = 0;
                return true;
            }
            return false;
        };
    }
    // What the deliver-event command does with an event.
    void Deliver(QueuedEvent* e)
    {
        ModuleCallScope call;
        dispatcher.Deliver(e);
    }
    // What a host's message loop does: hand every posted event back.
    void Pump()
    {
        while (!posted.empty()) {
            QueuedEvent* e = posted.front();
            posted.erase(posted.begin());
            Deliver(e);
        }
    }
    FakeHost host;
    std::vector<QueuedEvent*> posted;
    EventDispatcher dispatcher;
};

TEST_F(EventsTest, PostedEventComesBackToItsTarget)
{
    Recorder a, b;
    ASSERT_TRUE(dispatcher.PostTo(new QueuedEvent(34364), &b));
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(host.calls.back().code, HC_POST_EVENT);
    EXPECT_TRUE(a.types.empty());
    Pump();
    EXPECT_EQ(b.types, std::vector<std::uint32_t> {34364});
    EXPECT_TRUE(a.types.empty());
}

TEST_F(EventsTest, DelayedPostPassesTheDelay)
{
    Recorder a;
    ASSERT_TRUE(dispatcher.PostToDelayed(new QueuedEvent(EV_CLOSE), &a, 500));
    ASSERT_EQ(host.calls.back().code, HC_POST_EVENT_DELAYED);
    EXPECT_EQ(host.calls.back().q, 500);
    Pump();
    EXPECT_EQ(a.types, std::vector<std::uint32_t> {EV_CLOSE});
}

TEST_F(EventsTest, EventWithoutTargetIsOfferedInRegistrationOrder)
{
    Recorder declines(false), takes, never;
    dispatcher.Post(new QueuedEvent(34380));
    Pump();
    EXPECT_EQ(declines.types, std::vector<std::uint32_t> {34380});
    EXPECT_EQ(takes.types, std::vector<std::uint32_t> {34380});
    EXPECT_TRUE(never.types.empty());
}

TEST_F(EventsTest, EventForADeadTargetIsDroppedNotOffered)
{
    Recorder bystander;
    auto* target = new Recorder;
    dispatcher.PostTo(new QueuedEvent(34375), target);
    delete target;
    Pump();
    EXPECT_TRUE(bystander.types.empty());
}

TEST_F(EventsTest, EventNamingADeadNodeIsDropped)
{
    Recorder r;
    auto* node = new Node;
    auto* e = new QueuedEvent(34370);
    e->SetParamNode(node);
    dispatcher.PostTo(e, &r);
    delete node;
    Pump();
    EXPECT_TRUE(r.types.empty());
}

TEST_F(EventsTest, UnknownPointersAreNotTouched)
{
    Recorder r;
    QueuedEvent notOurs(34380);
    Deliver(&notOurs);
    Deliver(nullptr);
    EXPECT_TRUE(r.types.empty());
    // The same event given back twice is delivered once.
    dispatcher.Post(new QueuedEvent(34380));
    QueuedEvent* e = posted.front();
    Pump();
    Deliver(e);
    EXPECT_EQ(r.types.size(), 1u);
}

TEST_F(EventsTest, EventArrivingInsideAModuleCallIsPostedAgain)
{
    Recorder r;
    dispatcher.PostTo(new QueuedEvent(34364), &r);
    QueuedEvent* e = posted.front();
    posted.clear();
    {
        // A message box inside a module call lets the host pump messages.
        ModuleCallScope running;
        Deliver(e);
        EXPECT_TRUE(r.types.empty());
        ASSERT_EQ(posted.size(), 1u);
        EXPECT_EQ(host.calls.back().code, HC_POST_EVENT_DELAYED);
    }
    Pump();
    EXPECT_EQ(r.types, std::vector<std::uint32_t> {34364});
}

TEST_F(EventsTest, DestructorsPostNothing)
{
    auto* m = new ModuleNode(0, 0);
    auto* child = new Node;
    m->InsertChild(child, kAtEnd);
    child->InsertChild(new LoudNode, kAtEnd);
    const std::size_t before = host.calls.size();
    delete m;
    EXPECT_EQ(host.calls.size(), before);
    EXPECT_TRUE(posted.empty());
}

TEST_F(EventsTest, IdleEventsAreDropped)
{
    Recorder r;
    dispatcher.Post(new QueuedEvent(EV_IDLE));
    Pump();
    EXPECT_TRUE(r.types.empty());
}

}  // namespace
}  // namespace postroom
