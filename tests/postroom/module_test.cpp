#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "accounts/ini_file.h"
#include "fake_host.h"
#include "frame/commands.h"
#include "frame/events.h"
#include "frame/module.h"
#include "platform/path_text.h"
#include "temp_dir.h"

namespace postroom {
namespace {

using testing::FakeHost;
using testing::TempDir;

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        module::Load();
        host.answer = [this](const testing::HostCall& c, std::int32_t* r) {
            switch (c.code) {
            case HC_POST_EVENT:
            case HC_POST_EVENT_DELAYED:
                posted.push_back(reinterpret_cast<QueuedEvent*>(c.p));
                *r = 0;
                return true;
            case HC_MAIL_DIRECTORY:
                *reinterpret_cast<const char**>(c.p) = hostMailDir.empty() ? nullptr : hostMailDir.c_str();
                *r = 0;
                return true;
            case HC_DEFAULT_ACCOUNT:
                *reinterpret_cast<const char**>(c.p) = defaultAccount;
                *r = 0;
                return true;
            case HC_SHUTTING_DOWN:
                shutdownText = reinterpret_cast<const char*>(c.p) ? reinterpret_cast<const char*>(c.p) : "";
                return false;
            default:
                return false;
            }
        };
    }
    void TearDown() override
    {
        module::Unload();
    }

    HostArg Start()
    {
        Node* node = nullptr;
        const std::int32_t r = module::Command(reinterpret_cast<HostArg>(hostDir.c_str()), MBCMD_STARTUP,
                                               reinterpret_cast<HostArg>(&node),
                                               reinterpret_cast<HostArg>(host::Callback()), 77, 0);
        EXPECT_EQ(r, 0);
        return reinterpret_cast<HostArg>(node);
    }
    std::int32_t Call(std::uint32_t code, HostArg a3 = 0, HostArg a4 = 0, HostArg a5 = 0, HostArg a6 = 0,
                      HostArg a1 = 0)
    {
        return module::Command(a1, code, a3, a4, a5, a6);
    }
    std::vector<std::uint32_t> CodesExceptTexts() const
    {
        std::vector<std::uint32_t> codes;
        for (const auto& c : host.calls)
            if (c.code != HC_LOCALISED_TEXT)
                codes.push_back(c.code);
        return codes;
    }
    // Two accounts, "Home" active.
    void WriteAccounts()
    {
        const PathText mail = PathText(hostDir).Joined("MAIL");
        std::filesystem::create_directories(mail.Joined("home").Str());
        std::filesystem::create_directories(mail.Joined("work").Str());
        testing::WriteBytes(mail.Joined("ACCOUNTS.INI").Str(),
                            "[ACCOUNTS]\r\nhome\r\nwork\r\n[SETTINGS]\r\nActiveAccount=Home\r\n");
        testing::WriteBytes(mail.Joined("home").Joined("ACCOUNT.INI").Str(),
                            "[SETTINGS]\r\nAccountName=Home\r\nEmailAddress=me@home.example\r\n"
                            "ReplyTo=reply@home.example\r\n");
        testing::WriteBytes(mail.Joined("work").Joined("ACCOUNT.INI").Str(),
                            "[SETTINGS]\r\nAccountName=Work account\r\nEmailAddress=me@work.example\r\n");
    }

    TempDir dir;
    std::string hostDir = dir.Path().string();
    std::string hostMailDir;
    const char* defaultAccount = nullptr;
    std::string shutdownText;
    std::vector<QueuedEvent*> posted;
    FakeHost host;
};

TEST_F(ModuleTest, StartupCallsTheHostInOrderAndMakesTheMailDirectory)
{
    const HostArg node = Start();
    ASSERT_NE(node, 0);
    EXPECT_EQ(CodesExceptTexts(), (std::vector<std::uint32_t> {HC_HOST_AREA, HC_MAIL_DIRECTORY,
                                                                 HC_STARTUP_DIRECTORY}));
    const PathText expected = PathText(hostDir).Joined("MAIL");
    EXPECT_EQ(module::MailDirectory().Str(), expected.Str());
    EXPECT_TRUE(expected.IsDirectory());
    // Callback 18 gets the four words inside the module node.
    EXPECT_EQ(host.calls[0].p, reinterpret_cast<HostArg>(reinterpret_cast<ModuleNode*>(node)->HostArea()));
    EXPECT_EQ(reinterpret_cast<ModuleNode*>(node)->HostValue(), 77);
}

TEST_F(ModuleTest, HostNamedMailDirectoryWins)
{
    hostMailDir = PathText(hostDir).Joined("elsewhere").Str();
    Start();
    EXPECT_EQ(module::MailDirectory().Str(), hostMailDir);
    EXPECT_TRUE(PathText(hostMailDir).IsDirectory());
}

TEST_F(ModuleTest, ShutdownTellsTheHostAndWritesWindowSettings)
{
    const PathText mail = PathText(hostDir).Joined("MAIL");
    std::filesystem::create_directories(mail.Str());
    const std::string settings =
        "[WINDOWS]\r\nC:\\MAIL\\home\\Inbox\r\n[C:\\MAIL\\home\\Inbox]\r\nsplitType=3\r\nsplitPos=32768\r\n"
        "zoomState=0\r\nactiveIndex=4\r\nxPos=10\r\nyPos=20\r\nwidth=640\r\nheight=480\r\nisMaximized=0\r\n"
        "isIconic=0\r\nisOpen=0\r\n";
    testing::WriteBytes(mail.Joined("windowsettings.ini").Str(), settings);
    const HostArg node = Start();
    host.calls.clear();
    EXPECT_EQ(Call(MBCMD_SHUTDOWN, 0, 0, 0, 0, node), 0);
    EXPECT_EQ(CodesExceptTexts(), std::vector<std::uint32_t> {HC_SHUTTING_DOWN});
    EXPECT_EQ(shutdownText, mail.Str());
    EXPECT_EQ(testing::ReadBytes(mail.Joined("windowsettings.ini").Str()), settings);
    EXPECT_EQ(EventDispatcher::Current(), nullptr);
    EXPECT_EQ(module::CurrentModule(), nullptr);
}

TEST_F(ModuleTest, WindowSettingsGetTheirDefaults)
{
    const PathText mail = PathText(hostDir).Joined("MAIL");
    std::filesystem::create_directories(mail.Str());
    testing::WriteBytes(mail.Joined("windowsettings.ini").Str(), "[WINDOWS]\r\nbox\r\n[box]\r\nwidth=0\r\n");
    const HostArg node = Start();
    Call(MBCMD_SHUTDOWN, 0, 0, 0, 0, node);
    IniFile ini;
    ASSERT_TRUE(ini.Load(mail.Joined("windowsettings.ini").Text()));
    struct Expect {
        const char* key;
        std::int32_t value;
    };
    for (const Expect& e : {Expect {"splitType", 1}, Expect {"splitPos", 50}, Expect {"zoomState", 1},
                            Expect {"activeIndex", 0}, Expect {"xPos", 0}, Expect {"yPos", 0},
                            Expect {"width", 0}, Expect {"height", 300}, Expect {"isMaximized", 0},
                            Expect {"isIconic", 0}, Expect {"isOpen", 1}}) {
        std::int32_t v = -1;
        EXPECT_TRUE(ini.GetInt("box", e.key, &v, IniFile::kNoDefault, false)) << e.key;
        EXPECT_EQ(v, e.value) << e.key;
    }
}

TEST_F(ModuleTest, StaleOrRepeatedShutdownIsIgnored)
{
    const HostArg node = Start();
    int local = 0;
    host.calls.clear();
    EXPECT_EQ(Call(MBCMD_SHUTDOWN, 0, 0, 0, 0, reinterpret_cast<HostArg>(&local)), 0);
    EXPECT_EQ(Call(MBCMD_SHUTDOWN, 0, 0, 0, 0, 0), 0);
    EXPECT_TRUE(CodesExceptTexts().empty());
    EXPECT_EQ(Call(MBCMD_SHUTDOWN, 0, 0, 0, 0, node), 0);
    host.calls.clear();
    EXPECT_EQ(Call(MBCMD_SHUTDOWN, 0, 0, 0, 0, node), 0);
    EXPECT_TRUE(CodesExceptTexts().empty());
}

TEST_F(ModuleTest, RestartAfterShutdownBuildsEverythingAgain)
{
    WriteAccounts();
    const HostArg first = Start();
    Call(MBCMD_SHUTDOWN, 0, 0, 0, 0, first);
    EXPECT_EQ(module::Accounts(), nullptr);
    const HostArg second = Start();
    ASSERT_NE(module::Accounts(), nullptr);
    std::int32_t count = -1;
    EXPECT_EQ(Call(MBCMD_ACCOUNT_COUNT, reinterpret_cast<HostArg>(&count)), 0);
    EXPECT_EQ(count, 2);
    Call(MBCMD_SHUTDOWN, 0, 0, 0, 0, second);
}

TEST_F(ModuleTest, SecondStartupSurvivesTheFirstShuttingDown)
{
    WriteAccounts();
    const HostArg first = Start();
    const HostArg second = Start();
    EXPECT_NE(first, second);
    Call(MBCMD_SHUTDOWN, 0, 0, 0, 0, first);
    ASSERT_NE(EventDispatcher::Current(), nullptr);
    std::int32_t count = -1;
    EXPECT_EQ(Call(MBCMD_ACCOUNT_COUNT, reinterpret_cast<HostArg>(&count)), 0);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(module::CurrentModule(), reinterpret_cast<ModuleNode*>(second));
    Call(MBCMD_SHUTDOWN, 0, 0, 0, 0, second);
    EXPECT_EQ(EventDispatcher::Current(), nullptr);
}

struct CodeCase {
    std::uint32_t code;
    std::int32_t result;
};

TEST_F(ModuleTest, CommandTableResults)
{
    Start();
    const std::vector<CodeCase> cases {
        {0, 23},  {78, 23}, {4, 23},  {8, 23},  {29, 23}, {30, 23}, {42, 23}, {44, 23}, {46, 23},
        {49, 23}, {51, 23}, {59, 23}, {73, 23}, {1000, 23}, {0xFFFFFFFF, 23},
        {3, 0},   {13, 0},  {19, 0},  {23, 0},  {27, 0},  {64, 0},  {67, 0},
        {MBCMD_COMPOSE, 26}, {MBCMD_ACCOUNT_COUNT, 26}, {MBCMD_ACCOUNT_NAME, 26},
        {MBCMD_GET_MAIL_WINDOW, 0}, {MBCMD_QUEUE_SEND, 0}, {MBCMD_HOST_NOTIFY, 0},
    };
    for (const CodeCase& c : cases)
        EXPECT_EQ(Call(c.code), c.result) << "code " << c.code;
}

TEST_F(ModuleTest, AccountNameChecksItsArguments)
{
    WriteAccounts();
    Start();
    char buffer[32];
    std::memset(buffer, 'x', sizeof buffer);
    const HostArg b = reinterpret_cast<HostArg>(buffer);
    EXPECT_EQ(Call(MBCMD_ACCOUNT_NAME, 0, b, 0), 26);
    EXPECT_EQ(Call(MBCMD_ACCOUNT_NAME, 0, b, -5), 26);
    EXPECT_EQ(Call(MBCMD_ACCOUNT_NAME, 0, 0, 32), 26);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(Call(MBCMD_ACCOUNT_NAME, 1, b, 32), 0);
    EXPECT_STREQ(buffer, "Work account");
    EXPECT_EQ(Call(MBCMD_ACCOUNT_NAME, 0, b, 1), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(Call(MBCMD_ACCOUNT_NAME, 0, b, 4), 0);  // "Home" needs 5
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(Call(MBCMD_ACCOUNT_NAME, 0, b, 5), 0);
    EXPECT_STREQ(buffer, "Home");
    EXPECT_EQ(Call(MBCMD_ACCOUNT_NAME, 2, b, 32), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(Call(MBCMD_ACCOUNT_NAME, -1, b, 32), 0);
    EXPECT_STREQ(buffer, "");
}

TEST_F(ModuleTest, AccountCountWithoutAccounts)
{
    Start();
    std::int32_t count = -1;
    EXPECT_EQ(Call(MBCMD_ACCOUNT_COUNT, reinterpret_cast<HostArg>(&count)), 0);
    EXPECT_EQ(count, 0);
}

TEST_F(ModuleTest, AccountAddressesForKnownAndUnknownNames)
{
    WriteAccounts();
    Start();
    const char* replyTo = "stale";
    const char* email = "stale";
    const HostArg r = reinterpret_cast<HostArg>(&replyTo);
    const HostArg e = reinterpret_cast<HostArg>(&email);
    for (const char* name : {static_cast<const char*>(nullptr), "Nobody"}) {
        defaultAccount = name;
        replyTo = email = "stale";
        EXPECT_EQ(Call(MBCMD_ACCOUNT_ADDRESSES, r, e), 0);
        EXPECT_EQ(replyTo, nullptr);
        EXPECT_EQ(email, nullptr);
    }
    defaultAccount = "work ACCOUNT";
    EXPECT_EQ(Call(MBCMD_ACCOUNT_ADDRESSES, r, e), 0);
    EXPECT_STREQ(replyTo, "");
    EXPECT_STREQ(email, "me@work.example");
    defaultAccount = "Home";
    EXPECT_EQ(Call(MBCMD_ACCOUNT_ADDRESSES, r, e), 0);
    EXPECT_STREQ(replyTo, "reply@home.example");
}

TEST_F(ModuleTest, EditAccountOutcomes)
{
    WriteAccounts();
    Start();
    const char* name = "untouched";
    std::int32_t outcome = -1;
    const HostArg n = reinterpret_cast<HostArg>(&name);
    const HostArg o = reinterpret_cast<HostArg>(&outcome);
    EXPECT_EQ(Call(MBCMD_EDIT_ACCOUNT, 0, reinterpret_cast<HostArg>("Nobody"), n, o), 0);
    EXPECT_EQ(outcome, 1);
    EXPECT_STREQ(name, "untouched");
    EXPECT_EQ(Call(MBCMD_EDIT_ACCOUNT, 0, reinterpret_cast<HostArg>("home"), n, o), 0);
    EXPECT_EQ(outcome, 0);
    EXPECT_STREQ(name, "Home");
}

TEST_F(ModuleTest, SendQueuedPostsItsEventsThroughTheHost)
{
    Start();
    EXPECT_EQ(Call(MBCMD_SEND_QUEUED), 0);
    EXPECT_EQ(Call(MBCMD_SEND_QUEUED_ALL), 0);
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0]->type, 34380u);
    EXPECT_EQ(posted[1]->type, 34381u);
    // Nobody takes them yet; delivering frees them.
    for (QueuedEvent* e : posted)
        Call(MBCMD_DELIVER_EVENT, reinterpret_cast<HostArg>(e));
}

TEST_F(ModuleTest, EventGivenBackAfterShutdownIsFreed)
{
    const HostArg node = Start();
    Call(MBCMD_SEND_QUEUED);
    ASSERT_EQ(posted.size(), 1u);
    Call(MBCMD_SHUTDOWN, 0, 0, 0, 0, node);
    ASSERT_EQ(EventDispatcher::Current(), nullptr);
    EXPECT_TRUE(EventDispatcher::Outstanding(posted[0]));
    Call(MBCMD_DELIVER_EVENT, reinterpret_cast<HostArg>(posted[0]));
    EXPECT_FALSE(EventDispatcher::Outstanding(posted[0]));
}

TEST_F(ModuleTest, UnloadFreesWithoutCallingTheHost)
{
    Start();
    Call(MBCMD_SEND_QUEUED);
    const std::size_t before = host.calls.size();
    module::Unload();
    EXPECT_EQ(host.calls.size(), before);
    module::Load();
}

TEST_F(ModuleTest, HostNotifyReachesTheTreeWithTheAddressOfA3)
{
    const HostArg node = Start();
    struct Listener : Node {
        void Broadcast(int event, std::intptr_t a, void* p) override
        {
            seen.push_back(event);
            if (event == 39 && p)
                value = *static_cast<HostArg*>(p);
            Node::Broadcast(event, a, p);
        }
        std::vector<int> seen;
        HostArg value = 0;
    };
    auto* l = new Listener;
    reinterpret_cast<Node*>(node)->InsertChild(l, kAtEnd);
    Call(MBCMD_HOST_NOTIFY, 55, 1);
    Call(MBCMD_HOST_NOTIFY, 55, 0);
    Call(MBCMD_HOST_NOTIFY, 0, 0);
    EXPECT_EQ(l->seen, (std::vector<int> {39, 40}));
    EXPECT_EQ(l->value, 55);
}

TEST_F(ModuleTest, PropertyAndLocksOnlyForLiveNodes)
{
    const HostArg node = Start();
    int notANode = 0;
    EXPECT_EQ(Call(MBCMD_LOCK_UPDATES, 0, 0, 0, 0, reinterpret_cast<HostArg>(&notANode)), 0);
    EXPECT_EQ(Call(MBCMD_LOCK_UPDATES, 0, 0, 0, 0, node), 0);
    EXPECT_EQ(reinterpret_cast<Node*>(node)->LockCount(), 1);
    EXPECT_EQ(Call(MBCMD_UNLOCK_UPDATES, 0, 0, 0, 0, node), 0);
    EXPECT_EQ(reinterpret_cast<Node*>(node)->LockCount(), 0);
}

}  // namespace
}  // namespace postroom
