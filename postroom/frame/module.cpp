#include "frame/module.h"

#include <cstring>
#include <new>

#include "accounts/account_list.h"
#include "frame/commands.h"
#include "frame/texts.h"
#include "frame/window_messages.h"
#include "platform/platform.h"
#include "ui/window_list.h"

namespace postroom {

namespace {

// The module's globals.  Per-start-up objects (scheduler, filter set,
// account list) are found through the newest module node, so no global can
// point into a subtree that has gone.
struct Globals {
    RootNode* root = nullptr;
    EventDispatcher* dispatcher = nullptr;
    PathText* mailDirectory = nullptr;
    bool continueFlag = false;
    bool importFlag = false;
};

Globals g;

const PathText& EmptyPath()
{
    static const PathText empty;
    return empty;
}

template <class T>
T* ChildOfKind(const Node* parent, int kind)
{
    if (!parent)
        return nullptr;
    for (Node* c = parent->FirstChild(); c; c = c->NextSibling())
        if (!c->Doomed() && c->IsKindOf(kind))
            return static_cast<T*>(c);
    return nullptr;
}

// A1 of the shut-down command: only a module node that is a current child of
// the root counts.
ModuleNode* LiveModuleNode(HostArg a1)
{
    if (!g.root || !a1)
        return nullptr;
    for (Node* c = g.root->FirstChild(); c; c = c->NextSibling())
        if (reinterpret_cast<HostArg>(c) == a1 && !c->Doomed() && c->IsKindOf(NODE_MODULE))
            return static_cast<ModuleNode*>(c);
    return nullptr;
}

Node* LiveNode(HostArg a1)
{
    return Node::IsAlive(reinterpret_cast<const void*>(a1)) ? reinterpret_cast<Node*>(a1) : nullptr;
}

PathText SettingsPath(const ModuleNode* m)
{
    return m->MailDirectory().Joined("windowsettings.ini");
}

std::int32_t Startup(HostArg a1, HostArg a3, HostArg a4, HostArg a5, HostArg a6)
{
    if (!g.root)
        return MB_OK;
    // 1. The dispatcher lives while any module node does; the scheduler is
    // this start-up's own.
    if (!g.dispatcher)
        g.dispatcher = new (std::nothrow) EventDispatcher;
    MailScheduler* scheduler = new (std::nothrow) MailScheduler;
    // 2.
    host::SetCallback(reinterpret_cast<HostCallback>(a4));
    // 3.
    ModuleNode* m = new (std::nothrow) ModuleNode(a6, a5);
    if (!m) {
        delete scheduler;
        return MB_OK;
    }
    g.root->InsertChild(m, kAtEnd);
    host::Call(HC_HOST_AREA, host::Arg(m->HostArea()));
    // 4. Texts are looked up afresh for this host.
    FreeTextCache();
    // 5.
    if (a3)
        *reinterpret_cast<Node**>(a3) = m;
    if (scheduler)
        m->InsertChild(scheduler, kAtEnd);
    // 6.
    if (!WindowList::Current())
        WindowList::SetCurrent(new (std::nothrow) WindowList(a6));
    // 7. The host may name the mail directory; otherwise it lies in the
    // host's directory.  Callback 12 may change the text at A1.
    const char* hostMailDir = nullptr;
    host::Call(HC_MAIL_DIRECTORY, host::Arg(&hostMailDir));
    HostArg hostDirectory = a1;
    host::Call(HC_STARTUP_DIRECTORY, host::Arg(&hostDirectory));
    PathText mailDir;
    if (hostMailDir && *hostMailDir) {
        mailDir.Assign(hostMailDir);
    } else {
        const char* dir = reinterpret_cast<const char*>(hostDirectory);
        mailDir.Assign(dir ? dir : "");
        mailDir.Join("MAIL");
    }
    m->SetMailDirectory(mailDir);
    if (!g.mailDirectory)
        g.mailDirectory = new (std::nothrow) PathText;
    if (g.mailDirectory)
        *g.mailDirectory = mailDir;
    // 8.
    if (WindowList* list = WindowList::Current())
        list->ReadSettings(SettingsPath(m).Text());
    // 9. and 10.: each module node has its own filter set and account list.
    if (FilterSet* filters = new (std::nothrow) FilterSet)
        m->InsertChild(filters, kAtEnd);
    // 11.
    platform::MakeDirectory(mailDir.Text());
    if (AccountList* accounts = new (std::nothrow) AccountList(mailDir)) {
        accounts->Load();
        m->InsertChild(accounts, kAtEnd);
    }
    return MB_OK;
}

std::int32_t Shutdown(HostArg a1)
{
    ModuleNode* m = LiveModuleNode(a1);
    if (!m)
        return MB_OK;
    // 1.
    AccountList* accounts = m->Accounts();
    host::Call(HC_SHUTTING_DOWN, accounts ? host::Arg(accounts->MailDirectory()) : 0);
    // 2.
    if (WindowList* list = WindowList::Current()) {
        list->CaptureAll();
        list->WriteSettings(SettingsPath(m).Text());
    }
    // 3.
    Node::Destroy(m);
    // 4.
    if (!g.root->FirstChild()) {
        delete g.dispatcher;
        g.dispatcher = nullptr;
        delete WindowList::Current();
    }
    // 5.
    FreeTextCache();
    return MB_OK;
}

std::int32_t AccountName(HostArg a3, HostArg a4, HostArg a5)
{
    if (!a4 || a5 <= 0)
        return MB_ERR_MISSING_ARGUMENT;
    char* buffer = reinterpret_cast<char*>(a4);
    buffer[0] = '\0';
    const AccountList* accounts = module::Accounts();
    // The index is unsigned: a negative one is past the end.
    const Account* a = accounts ? accounts->At(static_cast<unsigned>(a3)) : nullptr;
    if (a && a->Name().size() < static_cast<std::size_t>(a5))
        std::memcpy(buffer, a->Name().c_str(), a->Name().size() + 1);
    return MB_OK;
}

std::int32_t EditAccount(HostArg a3, HostArg a4, HostArg a5, HostArg a6)
{
    // The property sheet and the creation of accounts belong to the window
    // code; until it exists an account named by A4 counts as done unchanged.
    bool done = false;
    const char* name = reinterpret_cast<const char*>(a4);
    const char* newName = nullptr;
    if (!(a3 == 0 && a4 == 0 && a5 == 0) && name && *name) {
        AccountList* accounts = module::Accounts();
        if (Account* acc = accounts ? accounts->FindByName(name) : nullptr) {
            done = true;
            newName = acc->Name().c_str();
        }
    }
    if (newName && *newName && a5)
        *reinterpret_cast<const char**>(a5) = newName;
    if (a6)
        *reinterpret_cast<std::int32_t*>(a6) = done ? 0 : 1;
    return MB_OK;
}

std::int32_t AccountAddresses(HostArg a3, HostArg a4)
{
    const char* name = nullptr;
    host::Call(HC_DEFAULT_ACCOUNT, host::Arg(&name));
    AccountList* accounts = module::Accounts();
    const Account* a = accounts && name ? accounts->FindByName(name) : nullptr;
    if (a3)
        *reinterpret_cast<const char**>(a3) = a ? a->ReplyTo().c_str() : nullptr;
    if (a4)
        *reinterpret_cast<const char**>(a4) = a ? a->EmailAddress().c_str() : nullptr;
    return MB_OK;
}

void PostSchedulerEvent(std::uint32_t type)
{
    if (g.dispatcher)
        g.dispatcher->Post(new (std::nothrow) QueuedEvent(type));
}

void Beep()
{
    platform::Beep(0, 0);
}

}  // namespace

ModuleNode::ModuleNode(std::intptr_t hostFrame, std::intptr_t hostValue)
    : hostFrame_(hostFrame), hostValue_(hostValue)
{
}

ModuleNode::~ModuleNode()
{
    TeardownScope teardown;
    DeleteChildren();
}

bool ModuleNode::IsKindOf(int kind) const
{
    return kind == NODE_MODULE || Node::IsKindOf(kind);
}

void ModuleNode::Broadcast(int event, std::intptr_t a, void* p)
{
    switch (event) {
    case 4:
        if (p == window_)
            window_ = nullptr;
        break;
    case 23:
        if (p)
            *static_cast<void**>(p) = uiContainer_;
        break;
    default:
        // 21 and 22 build and take down the mail interface, which comes
        // with the window code.
        break;
    }
    Node::Broadcast(event, a, p);
}

AccountList* ModuleNode::Accounts() const
{
    return ChildOfKind<AccountList>(this, NODE_ACCOUNT_LIST);
}

FilterSet* ModuleNode::Filters() const
{
    return ChildOfKind<FilterSet>(this, NODE_FILTER_SET);
}

MailScheduler* ModuleNode::Scheduler() const
{
    return ChildOfKind<MailScheduler>(this, NODE_SCHEDULER);
}

MailScheduler::~MailScheduler()
{
    TeardownScope teardown;
    module::Forget(this);
}

bool MailScheduler::IsKindOf(int kind) const
{
    return kind == NODE_SCHEDULER || Node::IsKindOf(kind);
}

bool MailScheduler::HandleEvent(QueuedEvent*)
{
    // Sending and checking come with the transport; no event is taken yet.
    return false;
}

FilterSet::~FilterSet()
{
    module::Forget(this);
}

bool FilterSet::IsKindOf(int kind) const
{
    return kind == NODE_FILTER_SET || Node::IsKindOf(kind);
}

namespace module {

void Load()
{
    RegisterWindowMessages();
    if (!g.root)
        g.root = new (std::nothrow) RootNode;
}

void Unload()
{
    // The host may be gone already: nothing below calls it.
    host::SetCallback(nullptr);
    delete g.root;
    g.root = nullptr;
    delete g.dispatcher;
    g.dispatcher = nullptr;
    EventDispatcher::FreeOutstanding();
    delete WindowList::Current();
    delete g.mailDirectory;
    g.mailDirectory = nullptr;
    FreeTextCache();
    g.continueFlag = false;
    g.importFlag = false;
}

RootNode* Root()
{
    return g.root;
}

ModuleNode* CurrentModule()
{
    if (!g.root)
        return nullptr;
    ModuleNode* newest = nullptr;
    for (Node* c = g.root->FirstChild(); c; c = c->NextSibling())
        if (!c->Doomed() && c->IsKindOf(NODE_MODULE))
            newest = static_cast<ModuleNode*>(c);
    return newest;
}

AccountList* Accounts()
{
    ModuleNode* m = CurrentModule();
    return m ? m->Accounts() : nullptr;
}

const PathText& MailDirectory()
{
    return g.mailDirectory ? *g.mailDirectory : EmptyPath();
}

bool ContinueFlag()
{
    return g.continueFlag;
}

bool ImportFlag()
{
    return g.importFlag;
}

void Forget(const void* object)
{
    if (object == g.root)
        g.root = nullptr;
    if (object == g.dispatcher)
        g.dispatcher = nullptr;
}

std::int32_t Command(HostArg a1, std::uint32_t code, HostArg a3, HostArg a4, HostArg a5, HostArg a6)
{
    ModuleCallScope call;
    switch (code) {
    case MBCMD_STARTUP:
        return Startup(a1, a3, a4, a5, a6);
    case MBCMD_SHUTDOWN:
        return Shutdown(a1);
    case 3: case 13: case 19: case 23: case 24: case 25: case 26: case 27:
    case 64: case 65: case 66: case 67:
        return MB_OK;
    case MBCMD_OPEN_WINDOW:
    case MBCMD_CHECK_MAIL:
    case MBCMD_REPLY:
    case MBCMD_FORWARD:
    case MBCMD_DELETE:
    case MBCMD_DELETE_FOLDER:
    case MBCMD_PREVIOUS:
    case MBCMD_NEXT:
    case MBCMD_FILTERS:
    case MBCMD_GET_MAIL_WINDOW:
    case MBCMD_OPEN_FIND:
    case MBCMD_COMPOSE_TO:
    case MBCMD_IMPORT_CONTACTS:
    case MBCMD_IMPORT_CONTACTS_TOO:
    case MBCMD_NEW_ACCOUNT:
    case MBCMD_FORGET_PASSWORDS:
    case MBCMD_QUEUE_SEND:
        // Windows, mail checks, import and sending come with their own code;
        // until then these do nothing.
        return MB_OK;
    case MBCMD_SET_PROPERTY:
        if (Node* n = LiveNode(a1))
            n->SetProperty(static_cast<int>(a3), a4);
        return MB_OK;
    case MBCMD_LOCK_UPDATES:
        if (Node* n = LiveNode(a1))
            n->LockUpdates(1);
        return MB_OK;
    case MBCMD_UNLOCK_UPDATES:
        if (Node* n = LiveNode(a1))
            n->UnlockUpdates(1);
        return MB_OK;
    case MBCMD_COMPRESS_ALL:
        g.continueFlag = true;
        return MB_OK;
    case MBCMD_IMPORT_EUDORA:
        g.importFlag = true;
        return MB_OK;
    case MBCMD_CREATE_UI:
        if (g.root)
            g.root->Notify(21, 0, nullptr);
        return MB_OK;
    case MBCMD_DESTROY_UI:
        if (g.root)
            g.root->Notify(22, 0, nullptr);
        return MB_OK;
    case MBCMD_SELECTION_COMMAND:
        if (g.root)
            g.root->Notify(24, 4, nullptr);
        return MB_OK;
    case MBCMD_DELIVER_EVENT: {
        QueuedEvent* e = reinterpret_cast<QueuedEvent*>(a3);
        if (g.dispatcher)
            g.dispatcher->Deliver(e);
        else
            EventDispatcher::DiscardReturned(e);
        return MB_OK;
    }
    case MBCMD_STOP_IMPORT:
        g.importFlag = false;
        Beep();
        return MB_OK;
    case MBCMD_COMPOSE:
        return a3 ? MB_OK : MB_ERR_MISSING_ARGUMENT;
    case MBCMD_ACCOUNT_COUNT: {
        if (!a3)
            return MB_ERR_MISSING_ARGUMENT;
        const AccountList* accounts = Accounts();
        *reinterpret_cast<std::int32_t*>(a3) = accounts ? accounts->Count() : 0;
        return MB_OK;
    }
    case MBCMD_ACCOUNT_NAME:
        return AccountName(a3, a4, a5);
    case MBCMD_EDIT_ACCOUNT:
        return EditAccount(a3, a4, a5, a6);
    case MBCMD_SEND_QUEUED:
        PostSchedulerEvent(EV_SEND_QUEUED);
        return MB_OK;
    case MBCMD_SEND_QUEUED_ALL:
        PostSchedulerEvent(EV_SEND_QUEUED_ALL);
        return MB_OK;
    case MBCMD_STOP:
        g.continueFlag = false;
        Beep();
        return MB_OK;
    case MBCMD_HOST_NOTIFY:
        if (a3 && g.root)
            g.root->Notify(a4 ? 39 : 40, 0, &a3);
        return MB_OK;
    case MBCMD_SAVE_WINDOWS:
        if (ModuleNode* m = CurrentModule()) {
            if (WindowList* list = WindowList::Current()) {
                list->CaptureAll();
                list->WriteSettings(SettingsPath(m).Text());
            }
        }
        return MB_OK;
    case MBCMD_LOAD_WINDOWS:
        if (ModuleNode* m = CurrentModule()) {
            if (WindowList* list = WindowList::Current())
                list->ReadSettings(SettingsPath(m).Text());
        }
        return MB_OK;
    case MBCMD_ACCOUNT_ADDRESSES:
        return AccountAddresses(a3, a4);
    default:
        return MB_ERR_UNKNOWN_COMMAND;
    }
}

}  // namespace module
}  // namespace postroom
