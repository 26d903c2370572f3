// Node: base of every long-lived object of the module.  A node owns its
// children; they form a ring through `next` that closes on the parent, the
// last child carrying a flag.  Broadcast notifications travel down the tree
// synchronously.
//
// Deleting nodes: use Node::Destroy.  While any broadcast is running it only
// marks the node (broadcasts and queries then pass it by) and deletes it when
// the outermost broadcast has returned, so a handler may destroy itself or a
// sibling without pulling the tree from under the walk.
#pragma once

#include <cstdint>

namespace postroom {

// Kinds answered by IsKindOf.  0 is every node.
enum NodeKind : int {
    NODE_ANY = 0,
    NODE_ACCOUNT = 6,
    NODE_ROOT = 0x7001,
    NODE_MODULE = 0x7002,
    NODE_SCHEDULER = 0x7003,
    NODE_FILTER_SET = 0x7004,
    NODE_ACCOUNT_LIST = 0x7005,
};

constexpr std::uint16_t kAtEnd = 65535;

class Node {
public:
    Node();
    virtual ~Node();
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    virtual bool IsKindOf(int kind) const;
    virtual void LockUpdates(int n);
    virtual void UnlockUpdates(int n);
    virtual std::uint16_t InsertChild(Node* child, std::uint16_t position);
    virtual Node* RemoveChild(std::uint16_t position);
    virtual void DeleteChildren();
    virtual void SetProperty(int code, std::intptr_t value);
    virtual void Broadcast(int event, std::intptr_t a, void* p);
    virtual Node* FindByHandle(std::intptr_t value);

    std::uint16_t ChildCount() const;
    Node* ChildAt(std::uint16_t index) const;
    std::uint16_t IndexOf(const Node* child) const;
    // The n-th node of this subtree in pre-order (this node is 0), or null.
    Node* NthInPreOrder(int n);

    Node* Parent() const { return parent_; }
    Node* FirstChild() const { return firstChild_; }
    // The next sibling, or null after the last child.
    Node* NextSibling() const { return (flags_ & kLast) ? nullptr : next_; }
    int LockCount() const { return lockCount_; }
    bool Doomed() const { return (flags_ & kDoomed) != 0; }
    bool InDoomedSubtree() const;
    std::uint64_t Serial() const { return serial_; }

    // Sends a notification from this node, as the outermost broadcast.
    void Notify(int event, std::intptr_t a, void* p);
    // Unlinks the node from its parent and deletes it, or marks it for
    // deletion when a broadcast is running.
    static void Destroy(Node* node);
    // Whether a node with this address and serial still exists (serial 0:
    // any node at that address).
    static bool IsAlive(const void* node, std::uint64_t serial = 0);

private:
    friend class BroadcastScope;
    static constexpr std::uint16_t kLast = 0x0001;
    static constexpr std::uint16_t kDoomed = 0x0002;

    std::uint16_t flags_ = 0;
    Node* next_ = nullptr;
    Node* parent_ = nullptr;
    std::int32_t lockCount_ = 0;
    Node* firstChild_ = nullptr;
    std::uint64_t serial_;
};

// Keeps deletions deferred while it lives; the outermost scope deletes the
// nodes destroyed meanwhile.
class BroadcastScope {
public:
    BroadcastScope();
    ~BroadcastScope();
    BroadcastScope(const BroadcastScope&) = delete;
    BroadcastScope& operator=(const BroadcastScope&) = delete;
    static bool Active();
};

// The root of the tree: flag word bit 1 = a long operation runs, bit 0 = the
// mail user interface is shown.
class RootNode : public Node {
public:
    static constexpr std::uint16_t kInterfaceShown = 0x0001;
    static constexpr std::uint16_t kBusy = 0x0002;

    bool IsKindOf(int kind) const override;
    std::uint16_t Flags() const { return rootFlags_; }
    void SetFlags(std::uint16_t f) { rootFlags_ = f; }
    // 0, or 3 when a long operation runs already.
    int BeginBusy(std::intptr_t a, void* b, Node* activeAccount);
    // 0, or 4 when none runs.
    int EndBusy();

private:
    std::uint16_t rootFlags_ = 0;
};

}  // namespace postroom
