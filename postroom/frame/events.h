// Deferred events.  Work that must not run inside the current call is
// wrapped in a QueuedEvent and handed to the host (callbacks 41 and 42); the
// host gives it back through the deliver-event command from its message
// loop, and the dispatcher passes it to the receiver it names.
//
// An event never reaches a dead object: receivers and the nodes an event
// names are checked by address and serial, events for the dead are deleted,
// and only events the dispatcher handed out are accepted back.
#pragma once

#include <cstdint>
#include <vector>

namespace postroom {

class EventReceiver;
class Node;

constexpr std::uint32_t FourLetters(char a, char b, char c, char d)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(a)) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(d)) << 24;
}

enum EventType : std::uint32_t {
    EV_IDLE = FourLetters('I', 'D', 'L', 'E'),
    EV_CLOSE = FourLetters('C', 'L', 'S', 'E'),
    EV_CONNECTION_FAILED = 33328,
    EV_CONNECTION_DONE = 33330,
    EV_SEND_QUEUED = 34380,
    EV_SEND_QUEUED_ALL = 34381,
};

class QueuedEvent {
public:
    explicit QueuedEvent(std::uint32_t eventType, std::intptr_t eventParam = 0)
        : type(eventType), param(eventParam)
    {
    }
    virtual ~QueuedEvent() = default;
    QueuedEvent(const QueuedEvent&) = delete;
    QueuedEvent& operator=(const QueuedEvent&) = delete;

    // Names a node as the parameter; the event is dropped if it dies first.
    void SetParamNode(Node* node);
    bool ParamAlive() const;

    QueuedEvent* next = nullptr;
    QueuedEvent* prev = nullptr;
    void* owner = nullptr;
    std::uint32_t type;
    std::intptr_t param;
    EventReceiver* target = nullptr;
    std::uint64_t targetSerial = 0;
    std::uint64_t paramSerial = 0;  // 0: the parameter names no node
};

class EventReceiver {
public:
    EventReceiver();
    virtual ~EventReceiver();
    EventReceiver(const EventReceiver&) = delete;
    EventReceiver& operator=(const EventReceiver&) = delete;

    virtual int Reserved() { return 0; }
    // True when the receiver took the event; it has then deleted it.
    virtual bool HandleEvent(QueuedEvent* event) = 0;

    std::uint64_t ReceiverSerial() const { return serial_; }

private:
    std::uint64_t serial_;
};

class EventDispatcher {
public:
    EventDispatcher();
    virtual ~EventDispatcher();
    EventDispatcher(const EventDispatcher&) = delete;
    EventDispatcher& operator=(const EventDispatcher&) = delete;

    // Each returns false when the event could not be handed to the host; the
    // event is then deleted.
    virtual bool PostTo(QueuedEvent* event, EventReceiver* target);
    virtual bool Post(QueuedEvent* event);
    virtual bool PostToDelayed(QueuedEvent* event, EventReceiver* target, std::uint32_t ms);
    virtual bool PostDelayed(QueuedEvent* event, std::uint32_t ms);
    virtual void Deliver(QueuedEvent* event);
    virtual void Register(EventReceiver* receiver);
    virtual void Unregister(EventReceiver* receiver);

    bool IsRegistered(const EventReceiver* receiver, std::uint64_t serial) const;
    std::size_t QueueLength() const;

    // The process's dispatcher, or null before start-up and after shut-down.
    static EventDispatcher* Current();

    // True for an event handed to the host and not yet given back.
    static bool Outstanding(const QueuedEvent* event);
    // Frees the events the host still holds (library unload).
    static void FreeOutstanding();
    // Frees an event the host gives back when there is no dispatcher.
    static void DiscardReturned(QueuedEvent* event);

private:
    bool HandToHost(QueuedEvent* event, bool delayed, std::uint32_t ms);
    void Append(QueuedEvent* event);
    QueuedEvent* TakeFirst();
    void Dispatch(QueuedEvent* event);

    QueuedEvent* head_ = nullptr;
    QueuedEvent* tail_ = nullptr;
    std::vector<EventReceiver*> receivers_;
};

// Counts destructors running: nothing is posted from inside one.
class TeardownScope {
public:
    TeardownScope();
    ~TeardownScope();
    TeardownScope(const TeardownScope&) = delete;
    TeardownScope& operator=(const TeardownScope&) = delete;
    static bool Active();
};

// Counts module calls running.  A deferred event that comes back while one
// runs (the host pumped messages inside a message box or a callback) is
// posted again instead of being run inside it.
class ModuleCallScope {
public:
    ModuleCallScope();
    ~ModuleCallScope();
    ModuleCallScope(const ModuleCallScope&) = delete;
    ModuleCallScope& operator=(const ModuleCallScope&) = delete;
    static int Depth();
};

// The delay after which an event that came back too early is tried again.
constexpr std::uint32_t kRetryDelayMs = 10;

}  // namespace postroom
