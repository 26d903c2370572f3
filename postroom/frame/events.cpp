#include "frame/events.h"

#include <algorithm>
#include <new>
#include <unordered_set>

#include "frame/host.h"
#include "frame/node.h"

namespace postroom {

namespace {

EventDispatcher* g_dispatcher = nullptr;
std::uint64_t g_nextReceiverSerial = 1;
int g_teardown = 0;
int g_callDepth = 0;
// Events the host holds; anything else given back is not ours to touch.
std::unordered_set<const QueuedEvent*>* g_outstanding = nullptr;

bool TrackOutstanding(const QueuedEvent* e)
{
    try {
        if (!g_outstanding)
            g_outstanding = new std::unordered_set<const QueuedEvent*>;
        g_outstanding->insert(e);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void UntrackOutstanding(const QueuedEvent* e)
{
    if (!g_outstanding)
        return;
    g_outstanding->erase(e);
    if (g_outstanding->empty()) {
        delete g_outstanding;
        g_outstanding = nullptr;
    }
}

}  // namespace

void QueuedEvent::SetParamNode(Node* node)
{
    param = reinterpret_cast<std::intptr_t>(node);
    paramSerial = node ? node->Serial() : 0;
}

bool QueuedEvent::ParamAlive() const
{
    return paramSerial == 0 || Node::IsAlive(reinterpret_cast<const void*>(param), paramSerial);
}

TeardownScope::TeardownScope()
{
    ++g_teardown;
}

TeardownScope::~TeardownScope()
{
    --g_teardown;
}

bool TeardownScope::Active()
{
    return g_teardown > 0;
}

ModuleCallScope::ModuleCallScope()
{
    ++g_callDepth;
}

ModuleCallScope::~ModuleCallScope()
{
    --g_callDepth;
}

int ModuleCallScope::Depth()
{
    return g_callDepth;
}

EventReceiver::EventReceiver() : serial_(g_nextReceiverSerial++)
{
    if (g_dispatcher)
        g_dispatcher->Register(this);
}

EventReceiver::~EventReceiver()
{
    if (g_dispatcher)
        g_dispatcher->Unregister(this);
}

EventDispatcher::EventDispatcher()
{
    if (!g_dispatcher)
        g_dispatcher = this;
}

EventDispatcher::~EventDispatcher()
{
    TeardownScope teardown;
    while (QueuedEvent* e = TakeFirst())
        delete e;
    if (g_dispatcher == this)
        g_dispatcher = nullptr;
}

EventDispatcher* EventDispatcher::Current()
{
    return g_dispatcher;
}

bool EventDispatcher::Outstanding(const QueuedEvent* event)
{
    return g_outstanding && g_outstanding->count(event) != 0;
}

void EventDispatcher::FreeOutstanding()
{
    if (!g_outstanding)
        return;
    std::unordered_set<const QueuedEvent*>* all = g_outstanding;
    g_outstanding = nullptr;
    for (const QueuedEvent* e : *all)
        delete e;
    delete all;
}

void EventDispatcher::DiscardReturned(QueuedEvent* event)
{
    if (!Outstanding(event))
        return;
    UntrackOutstanding(event);
    delete event;
}

bool EventDispatcher::HandToHost(QueuedEvent* event, bool delayed, std::uint32_t ms)
{
    if (!event)
        return false;
    // Destructors post nothing: the receiver may be half gone already.
    if (TeardownScope::Active() || !host::Callback() || !TrackOutstanding(event)) {
        delete event;
        return false;
    }
    if (delayed)
        host::Call(HC_POST_EVENT_DELAYED, host::Arg(event), static_cast<HostArg>(ms));
    else
        host::Call(HC_POST_EVENT, host::Arg(event));
    return true;
}

bool EventDispatcher::PostTo(QueuedEvent* event, EventReceiver* target)
{
    if (event) {
        event->target = target;
        event->targetSerial = target ? target->ReceiverSerial() : 0;
    }
    return HandToHost(event, false, 0);
}

bool EventDispatcher::Post(QueuedEvent* event)
{
    return HandToHost(event, false, 0);
}

bool EventDispatcher::PostToDelayed(QueuedEvent* event, EventReceiver* target, std::uint32_t ms)
{
    if (event) {
        event->target = target;
        event->targetSerial = target ? target->ReceiverSerial() : 0;
    }
    return HandToHost(event, true, ms);
}

bool EventDispatcher::PostDelayed(QueuedEvent* event, std::uint32_t ms)
{
    return HandToHost(event, true, ms);
}

void EventDispatcher::Register(EventReceiver* receiver)
{
    if (std::find(receivers_.begin(), receivers_.end(), receiver) != receivers_.end())
        return;
    try {
        receivers_.push_back(receiver);
    } catch (const std::bad_alloc&) {
        // Unregistered receivers get no events; that is all it costs.
    }
}

void EventDispatcher::Unregister(EventReceiver* receiver)
{
    const auto it = std::find(receivers_.begin(), receivers_.end(), receiver);
    if (it != receivers_.end())
        receivers_.erase(it);
}

bool EventDispatcher::IsRegistered(const EventReceiver* receiver, std::uint64_t serial) const
{
    for (const EventReceiver* r : receivers_)
        if (r == receiver)
            return r->ReceiverSerial() == serial;
    return false;
}

std::size_t EventDispatcher::QueueLength() const
{
    std::size_t n = 0;
    for (const QueuedEvent* e = head_; e; e = e->next)
        ++n;
    return n;
}

void EventDispatcher::Append(QueuedEvent* event)
{
    event->next = nullptr;
    event->prev = tail_;
    event->owner = this;
    if (tail_)
        tail_->next = event;
    else
        head_ = event;
    tail_ = event;
}

QueuedEvent* EventDispatcher::TakeFirst()
{
    QueuedEvent* e = head_;
    if (!e)
        return nullptr;
    head_ = e->next;
    if (head_)
        head_->prev = nullptr;
    else
        tail_ = nullptr;
    e->next = e->prev = nullptr;
    e->owner = nullptr;
    return e;
}

void EventDispatcher::Deliver(QueuedEvent* event)
{
    // Only events this module handed out and the host has not given back yet.
    if (!Outstanding(event))
        return;
    UntrackOutstanding(event);
    if (ModuleCallScope::Depth() > 1) {
        PostDelayed(event, kRetryDelayMs);
        return;
    }
    Append(event);
    if (QueuedEvent* first = TakeFirst())
        Dispatch(first);
    if (head_)
        Post(new (std::nothrow) QueuedEvent(EV_IDLE));
}

void EventDispatcher::Dispatch(QueuedEvent* e)
{
    if (e->type == EV_IDLE || !e->ParamAlive()) {
        delete e;
        return;
    }
    if (e->target) {
        // A target that is gone, or whose address now holds another
        // receiver, gets nothing.
        if (IsRegistered(e->target, e->targetSerial)) {
            if (!e->target->HandleEvent(e))
                delete e;
        } else {
            delete e;
        }
        return;
    }
    // Offered in registration order; a handler may create or destroy
    // receivers, so each is checked again before it is asked.
    std::vector<std::pair<EventReceiver*, std::uint64_t>> snapshot;
    try {
        for (EventReceiver* r : receivers_)
            snapshot.emplace_back(r, r->ReceiverSerial());
    } catch (const std::bad_alloc&) {
        delete e;
        return;
    }
    for (const auto& [r, serial] : snapshot) {
        if (!IsRegistered(r, serial))
            continue;
        if (r->HandleEvent(e))
            return;
    }
    delete e;
}

}  // namespace postroom
