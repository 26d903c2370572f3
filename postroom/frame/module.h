// The module's global objects and its command dispatcher.  The exported
// MBAPICall is a thin wrapper around module::Command; the native tests call
// Command directly, with Load and Unload standing for the library's load and
// unload.
#pragma once

#include <cstdint>

#include "frame/events.h"
#include "frame/host.h"
#include "frame/node.h"
#include "platform/path_text.h"

namespace postroom {

class AccountList;
class FilterSet;
class MailScheduler;
class WindowList;

// The node handed to the host at start-up; parent of the scheduler, the
// filter set, the account list and the mail windows.
class ModuleNode : public Node {
public:
    ModuleNode(std::intptr_t hostFrame, std::intptr_t hostValue);
    ~ModuleNode() override;
    bool IsKindOf(int kind) const override;
    void Broadcast(int event, std::intptr_t a, void* p) override;

    std::intptr_t HostFrame() const { return hostFrame_; }
    std::intptr_t HostValue() const { return hostValue_; }
    std::uint32_t* HostArea() { return hostArea_; }
    const PathText& MailDirectory() const { return mailDirectory_; }
    void SetMailDirectory(const PathText& p) { mailDirectory_ = p; }
    AccountList* Accounts() const;
    FilterSet* Filters() const;
    MailScheduler* Scheduler() const;

private:
    std::intptr_t hostFrame_;
    std::intptr_t hostValue_;
    std::uint32_t hostArea_[4] = {};  // the host's own words (callback 18)
    void* uiContainer_ = nullptr;     // built with the mail interface
    void* window_ = nullptr;
    PathText mailDirectory_;
};

// Sends the queued mail and checks mail on its timers; for now it only takes
// its place in the tree and among the event receivers.
class MailScheduler : public Node, public EventReceiver {
public:
    MailScheduler() = default;
    ~MailScheduler() override;
    bool IsKindOf(int kind) const override;
    bool HandleEvent(QueuedEvent* event) override;
};

class FilterSet : public Node {
public:
    FilterSet() = default;
    ~FilterSet() override;
    bool IsKindOf(int kind) const override;
};

namespace module {

void Load();
// Frees every object without calling the host.
void Unload();

std::int32_t Command(HostArg a1, std::uint32_t code, HostArg a3, HostArg a4, HostArg a5, HostArg a6);

RootNode* Root();
// The objects of the newest module node still alive, or null.
ModuleNode* CurrentModule();
AccountList* Accounts();
const PathText& MailDirectory();
bool ContinueFlag();
bool ImportFlag();

// Clears every global that points at object (called by its destructor).
void Forget(const void* object);

}  // namespace module
}  // namespace postroom
