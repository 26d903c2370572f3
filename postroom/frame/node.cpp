#include "frame/node.h"

#include "frame/events.h"

#include <new>
#include <unordered_map>
#include <vector>

namespace postroom {

namespace {

// Every node alive, with its serial, so that pointers the host or an event
// hands back can be checked before use.  Serials are never reused.
std::unordered_map<const void*, std::uint64_t>* g_alive = nullptr;
std::uint64_t g_nextSerial = 1;
int g_broadcastDepth = 0;
std::vector<std::pair<Node*, std::uint64_t>>* g_doomed = nullptr;

void Remember(const Node* n, std::uint64_t serial)
{
    try {
        if (!g_alive)
            g_alive = new std::unordered_map<const void*, std::uint64_t>;
        (*g_alive)[n] = serial;
    } catch (const std::bad_alloc&) {
        // The node lives on unchecked; IsAlive answers false for it, which
        // only makes the module more careful.
    }
}

void Forget(const Node* n)
{
    if (!g_alive)
        return;
    g_alive->erase(n);
    if (g_alive->empty()) {
        delete g_alive;
        g_alive = nullptr;
    }
}

void FlushDoomed()
{
    // A destructor may broadcast again and doom further nodes; those come in
    // a fresh list, taken by the next round.
    while (g_doomed) {
        std::vector<std::pair<Node*, std::uint64_t>>* list = g_doomed;
        g_doomed = nullptr;
        for (auto it = list->begin(); it != list->end(); ++it) {
            // A doomed node may have gone with a doomed ancestor already.
            if (Node::IsAlive(it->first, it->second))
                Node::Destroy(it->first);
        }
        delete list;
    }
}

}  // namespace

BroadcastScope::BroadcastScope()
{
    ++g_broadcastDepth;
}

BroadcastScope::~BroadcastScope()
{
    if (--g_broadcastDepth == 0)
        FlushDoomed();
}

bool BroadcastScope::Active()
{
    return g_broadcastDepth > 0;
}

Node::Node() : serial_(g_nextSerial++)
{
    Remember(this, serial_);
}

Node::~Node()
{
    {
        // Children die with their parent and post nothing on the way.
        TeardownScope teardown;
        DeleteChildren();
    }
    if (parent_) {
        const std::uint16_t i = parent_->IndexOf(this);
        if (i != kAtEnd)
            parent_->RemoveChild(i);
    }
    Forget(this);
}

bool Node::IsAlive(const void* node, std::uint64_t serial)
{
    if (!node || !g_alive)
        return false;
    const auto it = g_alive->find(node);
    return it != g_alive->end() && (serial == 0 || it->second == serial);
}

bool Node::IsKindOf(int kind) const
{
    return kind == NODE_ANY;
}

void Node::LockUpdates(int n)
{
    lockCount_ += n;
    for (Node* c = firstChild_; c; c = c->NextSibling())
        c->LockUpdates(n);
}

void Node::UnlockUpdates(int n)
{
    for (Node* c = firstChild_; c; c = c->NextSibling())
        c->UnlockUpdates(n);
    lockCount_ -= n;
}

std::uint16_t Node::InsertChild(Node* child, std::uint16_t position)
{
    std::uint16_t used = 0;
    if (!firstChild_) {
        firstChild_ = child;
        child->flags_ |= kLast;
        child->next_ = this;
    } else if (position == 0) {
        child->flags_ &= static_cast<std::uint16_t>(~kLast);
        child->next_ = firstChild_;
        firstChild_ = child;
    } else {
        Node* at = firstChild_;
        used = 1;
        while (used < position && !(at->flags_ & kLast)) {
            at = at->next_;
            ++used;
        }
        child->next_ = at->next_;
        if (at->flags_ & kLast) {
            at->flags_ &= static_cast<std::uint16_t>(~kLast);
            child->flags_ |= kLast;
        } else {
            child->flags_ &= static_cast<std::uint16_t>(~kLast);
        }
        at->next_ = child;
    }
    child->parent_ = this;
    if (lockCount_ >= 1)
        child->LockUpdates(lockCount_);
    return used;
}

Node* Node::RemoveChild(std::uint16_t position)
{
    Node* before = nullptr;
    Node* child = firstChild_;
    for (std::uint16_t i = 0; child && i < position; ++i) {
        before = child;
        child = child->NextSibling();
    }
    if (!child)
        return nullptr;
    if (lockCount_ > 0)
        child->UnlockUpdates(lockCount_);
    if (!before) {
        firstChild_ = (child->flags_ & kLast) ? nullptr : child->next_;
    } else {
        before->next_ = child->next_;
        if (child->flags_ & kLast)
            before->flags_ |= kLast;
    }
    child->parent_ = nullptr;
    child->next_ = nullptr;
    child->flags_ &= static_cast<std::uint16_t>(~kLast);
    return child;
}

void Node::DeleteChildren()
{
    while (firstChild_) {
        Node* c = RemoveChild(0);
        delete c;
    }
}

void Node::SetProperty(int code, std::intptr_t value)
{
    BroadcastScope scope;
    for (Node* c = firstChild_; c && !InDoomedSubtree(); c = c->NextSibling())
        if (!c->Doomed())
            c->SetProperty(code, value);
}

void Node::Broadcast(int event, std::intptr_t a, void* p)
{
    BroadcastScope scope;
    // Nothing is unlinked while the scope lives, so the ring stays whole.
    // Once this node or an ancestor is doomed its subtree hears no more.
    for (Node* c = firstChild_; c && !InDoomedSubtree(); c = c->NextSibling())
        if (!c->Doomed())
            c->Broadcast(event, a, p);
}

void Node::Notify(int event, std::intptr_t a, void* p)
{
    BroadcastScope scope;
    Broadcast(event, a, p);
}

Node* Node::FindByHandle(std::intptr_t value)
{
    const std::uint16_t n = ChildCount();
    for (std::uint16_t i = n; i > 0; --i) {
        Node* c = ChildAt(static_cast<std::uint16_t>(i - 1));
        if (!c || c->Doomed())
            continue;
        if (Node* found = c->FindByHandle(value))
            return found;
    }
    return nullptr;
}

bool Node::InDoomedSubtree() const
{
    for (const Node* n = this; n; n = n->parent_)
        if (n->Doomed())
            return true;
    return false;
}

std::uint16_t Node::ChildCount() const
{
    std::uint16_t n = 0;
    for (Node* c = firstChild_; c; c = c->NextSibling())
        ++n;
    return n;
}

Node* Node::ChildAt(std::uint16_t index) const
{
    Node* c = firstChild_;
    for (std::uint16_t i = 0; c && i < index; ++i)
        c = c->NextSibling();
    return c;
}

std::uint16_t Node::IndexOf(const Node* child) const
{
    std::uint16_t i = 0;
    for (Node* c = firstChild_; c; c = c->NextSibling(), ++i)
        if (c == child)
            return i;
    return kAtEnd;
}

Node* Node::NthInPreOrder(int n)
{
    // Walk without recursion: down to the first child, else on to the next
    // sibling of the nearest ancestor that has one.
    Node* at = this;
    for (int i = 0; at; ++i) {
        if (i == n)
            return at;
        if (at->firstChild_) {
            at = at->firstChild_;
            continue;
        }
        while (at != this && !at->NextSibling())
            at = at->parent_;
        if (at == this)
            return nullptr;
        at = at->NextSibling();
    }
    return nullptr;
}

void Node::Destroy(Node* node)
{
    if (!node)
        return;
    if (BroadcastScope::Active()) {
        if (node->Doomed())
            return;
        try {
            if (!g_doomed)
                g_doomed = new std::vector<std::pair<Node*, std::uint64_t>>;
            g_doomed->emplace_back(node, node->serial_);
            node->flags_ |= kDoomed;
            return;
        } catch (const std::bad_alloc&) {
            // Without room to remember it the node stays in the tree, marked
            // neither way; it is deleted with its parent.
            return;
        }
    }
    if (node->parent_) {
        const std::uint16_t i = node->parent_->IndexOf(node);
        if (i != kAtEnd)
            node->parent_->RemoveChild(i);
    }
    delete node;
}

bool RootNode::IsKindOf(int kind) const
{
    return kind == NODE_ROOT || Node::IsKindOf(kind);
}

int RootNode::BeginBusy(std::intptr_t a, void* b, Node* activeAccount)
{
    if (rootFlags_ & kBusy)
        return 3;
    Notify(2, 0, nullptr);
    if (activeAccount) {
        BroadcastScope scope;
        activeAccount->Broadcast(2, a, b);
    }
    rootFlags_ |= kBusy;
    return 0;
}

int RootNode::EndBusy()
{
    if (!(rootFlags_ & kBusy))
        return 4;
    rootFlags_ &= static_cast<std::uint16_t>(~kBusy);
    Notify(3, 0, nullptr);
    return 0;
}

}  // namespace postroom
