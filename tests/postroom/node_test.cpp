#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "frame/node.h"

namespace postroom {
namespace {

// A node that records the broadcasts it sees and may act on them.
class Probe : public Node {
public:
    Probe(std::string name, std::vector<std::string>* log) : name_(std::move(name)), log_(log) {}
    ~Probe() override
    {
        if (log_)
            log_->push_back("~" + name_);
    }
    void Broadcast(int event, std::intptr_t a, void* p) override
    {
        log_->push_back(name_);
        if (onEvent)
            onEvent();
        Node::Broadcast(event, a, p);
    }
    Node* FindByHandle(std::intptr_t value) override
    {
        if (value == handle)
            return this;
        return Node::FindByHandle(value);
    }
    std::function<void()> onEvent;
    std::intptr_t handle = -1;

private:
    std::string name_;
    std::vector<std::string>* log_;
};

class NodeTest : public ::testing::Test {
protected:
    Probe* Add(Node* parent, const char* name, std::uint16_t pos = kAtEnd)
    {
        auto* p = new Probe(name, &log);
        parent->InsertChild(p, pos);
        return p;
    }
    std::vector<std::string> log;
    RootNode root;
};

TEST_F(NodeTest, InsertChildPositions)
{
    Probe* a = Add(&root, "a");
    Probe* b = Add(&root, "b");
    Probe* c = Add(&root, "c");
    auto* d = new Probe("d", &log);
    EXPECT_EQ(root.InsertChild(d, kAtEnd), 3);
    auto* e = new Probe("e", &log);
    EXPECT_EQ(root.InsertChild(e, 1), 1);
    auto* f = new Probe("f", &log);
    EXPECT_EQ(root.InsertChild(f, 0), 0);
    const std::vector<Node*> expected {f, a, e, b, c, d};
    ASSERT_EQ(root.ChildCount(), expected.size());
    for (std::uint16_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(root.ChildAt(i), expected[i]);
        EXPECT_EQ(root.IndexOf(expected[i]), i);
        EXPECT_EQ(expected[i]->Parent(), &root);
    }
    EXPECT_EQ(root.ChildAt(6), nullptr);
    EXPECT_EQ(d->NextSibling(), nullptr);
}

TEST_F(NodeTest, RemoveOnlyChildLeavesNone)
{
    Probe* a = Add(&root, "a");
    Node* removed = root.RemoveChild(0);
    EXPECT_EQ(removed, a);
    EXPECT_EQ(root.FirstChild(), nullptr);
    EXPECT_EQ(a->Parent(), nullptr);
    EXPECT_EQ(root.RemoveChild(0), nullptr);
    EXPECT_EQ(root.IndexOf(a), kAtEnd);
    delete a;
}

TEST_F(NodeTest, RemoveLastMovesTheLastMark)
{
    Probe* a = Add(&root, "a");
    Probe* b = Add(&root, "b");
    delete root.RemoveChild(1);
    EXPECT_EQ(root.ChildCount(), 1);
    EXPECT_EQ(a->NextSibling(), nullptr);
    Probe* c = Add(&root, "c");
    EXPECT_EQ(a->NextSibling(), c);
    (void)b;
}

TEST_F(NodeTest, LocksFollowChildrenInAndOut)
{
    Probe* a = Add(&root, "a");
    root.LockUpdates(2);
    EXPECT_EQ(a->LockCount(), 2);
    Probe* b = Add(&root, "b");
    EXPECT_EQ(b->LockCount(), 2);
    Node* removed = root.RemoveChild(1);
    EXPECT_EQ(removed->LockCount(), 0);
    delete removed;
    root.UnlockUpdates(2);
    EXPECT_EQ(a->LockCount(), 0);
    EXPECT_EQ(root.LockCount(), 0);
}

TEST_F(NodeTest, BroadcastReachesEveryNodeInTreeOrder)
{
    Probe* a = Add(&root, "a");
    Add(a, "a1");
    Probe* a2 = Add(a, "a2");
    Add(a2, "a2x");
    Add(&root, "b");
    root.Notify(5, 0, nullptr);
    EXPECT_EQ(log, (std::vector<std::string> {"a", "a1", "a2", "a2x", "b"}));
}

TEST_F(NodeTest, FindByHandleAsksFromLastToFirst)
{
    EXPECT_EQ(root.FindByHandle(7), nullptr);
    Probe* a = Add(&root, "a");
    Probe* b = Add(&root, "b");
    Probe* b1 = Add(b, "b1");
    a->handle = 7;
    b1->handle = 7;
    EXPECT_EQ(root.FindByHandle(7), b1);
    EXPECT_EQ(root.FindByHandle(8), nullptr);
}

TEST_F(NodeTest, PreOrderNumbering)
{
    Probe* a = Add(&root, "a");
    Probe* a1 = Add(a, "a1");
    Probe* b = Add(&root, "b");
    EXPECT_EQ(root.NthInPreOrder(0), &root);
    EXPECT_EQ(root.NthInPreOrder(1), a);
    EXPECT_EQ(root.NthInPreOrder(2), a1);
    EXPECT_EQ(root.NthInPreOrder(3), b);
    EXPECT_EQ(root.NthInPreOrder(4), nullptr);
}

TEST_F(NodeTest, HandlerDeletingItselfAndSiblingsDuringBroadcast)
{
    Probe* a = Add(&root, "a");
    Probe* b = Add(&root, "b");
    Probe* c = Add(&root, "c");
    Probe* d = Add(&root, "d");
    Add(c, "c1");
    // b destroys itself and its next sibling c (with c's child); d must
    // still be reached, c must not.
    b->onEvent = [b, c] {
        Node::Destroy(b);
        Node::Destroy(c);
    };
    const std::uint64_t bSerial = b->Serial();
    root.Notify(9, 0, nullptr);
    EXPECT_EQ(log, (std::vector<std::string> {"a", "b", "d", "~b", "~c", "~c1"}));
    EXPECT_FALSE(Node::IsAlive(b, bSerial));
    EXPECT_EQ(root.ChildCount(), 2);
    EXPECT_EQ(root.ChildAt(0), a);
    EXPECT_EQ(root.ChildAt(1), d);
}

TEST_F(NodeTest, HandlerDeletingItsParentDuringBroadcast)
{
    Probe* a = Add(&root, "a");
    Probe* a1 = Add(a, "a1");
    Add(a, "a2");
    Add(&root, "b");
    a1->onEvent = [a] { Node::Destroy(a); };
    root.Notify(9, 0, nullptr);
    EXPECT_EQ(log, (std::vector<std::string> {"a", "a1", "b", "~a", "~a1", "~a2"}));
    EXPECT_EQ(root.ChildCount(), 1);
}

TEST_F(NodeTest, DestroyOutsideBroadcastIsImmediate)
{
    Probe* a = Add(&root, "a");
    Node::Destroy(a);
    EXPECT_EQ(log, (std::vector<std::string> {"~a"}));
    EXPECT_EQ(root.FirstChild(), nullptr);
}

TEST_F(NodeTest, BusyFlagBroadcastsOnceAndReportsRepeats)
{
    Add(&root, "a");
    EXPECT_EQ(root.BeginBusy(0, nullptr, nullptr), 0);
    EXPECT_EQ(log.size(), 1u);
    EXPECT_EQ(root.BeginBusy(0, nullptr, nullptr), 3);
    EXPECT_EQ(log.size(), 1u);
    EXPECT_EQ(root.EndBusy(), 0);
    EXPECT_EQ(root.EndBusy(), 4);
    EXPECT_EQ(log.size(), 2u);
}

}  // namespace
}  // namespace postroom
