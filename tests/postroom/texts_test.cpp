#include <gtest/gtest.h>

#include "fake_host.h"
#include "frame/connection.h"
#include "frame/texts.h"
#include "frame/window_messages.h"

namespace postroom {
namespace {

using testing::FakeHost;

TEST(TextsTest, OwnTableAnswersWhenTheHostDeclines)
{
    FakeHost host;
    EXPECT_STREQ(LoadText(TEXT_CREATE_ACCOUNT_QUESTION),
                 "You need to create an e-mail account before you can send e-mail.\nDo you want to create one now?");
    EXPECT_STREQ(LoadText(351), "Inbox");
    EXPECT_STREQ(LoadText(355), "Drafts");
    EXPECT_STREQ(LoadText(287), "doesn't contain");
    EXPECT_NE(LoadText(447), nullptr);
    EXPECT_EQ(LoadText(200), nullptr);
    EXPECT_EQ(LoadText(478), nullptr);
    ASSERT_FALSE(host.calls.empty());
    EXPECT_EQ(host.calls[0].code, HC_LOCALISED_TEXT);
    EXPECT_EQ(host.calls[0].p, TEXT_CREATE_ACCOUNT_QUESTION);
    EXPECT_EQ(host.calls[0].q, TEXT_KIND_TEXT);
}

TEST(TextsTest, HostTextWinsAndMenuNullStands)
{
    FakeHost host;
    static const char kInbox[] = "Posteingang";
    host.answer = [](const testing::HostCall& c, std::int32_t* r) {
        if (c.code != HC_LOCALISED_TEXT)
            return false;
        *reinterpret_cast<const char**>(c.b) = c.p == 351 ? kInbox : nullptr;
        *r = 0;
        return true;
    };
    EXPECT_STREQ(LoadText(351), "Posteingang");
    EXPECT_STREQ(LoadText(352), "Outbox");  // answered, but without a text
    EXPECT_EQ(LoadText(352, TEXT_KIND_MENU), nullptr);
    FreeTextCache();
}

TEST(WindowMessagesTest, NineteenDistinctRegisteredNames)
{
    RegisterWindowMessages();
    for (int i = 0; i < WM_ID_COUNT; ++i) {
        EXPECT_NE(WindowMessageId(i), 0u) << WindowMessageName(i);
        for (int j = 0; j < i; ++j)
            EXPECT_NE(WindowMessageId(i), WindowMessageId(j));
    }
    EXPECT_EQ(WM_ID_COUNT, 19);
    EXPECT_STREQ(WindowMessageName(WM_ID_WINDOW_TYPE), "kovra_idMsgWindowType");
}

class Client : public ConnectionProxy {
public:
    void OnWritable() override {}
    void OnDataAvailable() override {}
    void OnEvent(int code, std::intptr_t, std::intptr_t) override { ended = code; }
    int ended = 0;
};

// A host connection that claims to have read more than it was asked for.
class Boasting : public HostConnection {
public:
    int Read(char* buffer, int capacity) override
    {
        for (int i = 0; i < capacity; ++i)
            buffer[i] = 'x';
        return capacity + 100;
    }
    int Write(const char*, int length) override { return length; }
    void OnWritable() override {}
    void OnDataAvailable() override {}
    void OnEvent(int, std::intptr_t, std::intptr_t) override {}
    void Open() override { opened = true; }
    void Close() override {}
    char* AllocBuffer(int) override { return nullptr; }
    void FreeBuffer(char*) override {}
    const char* LocalHostName() override { return "here"; }
    void Finish(int, std::intptr_t, std::intptr_t) override {}
    int Status() override { return 0; }
    bool opened = false;
};

TEST(ConnectionTest, NoConnectionFromTheHostEndsTheClient)
{
    FakeHost host;
    Client client;
    EXPECT_FALSE(client.Connect("pop.example", 110));
    EXPECT_EQ(client.ended, CONNECTION_FAILED);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].code, HC_CREATE_CONNECTION);
    EXPECT_EQ(host.calls[0].b, 110);
    EXPECT_EQ(client.Read(nullptr, 10), 0);
}

TEST(ConnectionTest, ConnectOpensAndReadIsHeldToTheBuffer)
{
    FakeHost host;
    Boasting conn;
    host.answer = [&conn](const testing::HostCall& c, std::int32_t* r) {
        if (c.code != HC_CREATE_CONNECTION)
            return false;
        reinterpret_cast<ConnectionRequest*>(c.p)->connection = &conn;
        *r = 0;
        return true;
    };
    Client client;
    ASSERT_TRUE(client.Connect("pop.example", 110));
    EXPECT_TRUE(conn.opened);
    char buf[8];
    EXPECT_EQ(client.Read(buf, sizeof buf), 8);
    EXPECT_STREQ(client.LocalHostName(), "here");
}

}  // namespace
}  // namespace postroom
