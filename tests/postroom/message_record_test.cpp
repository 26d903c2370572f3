#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "fake_host.h"
#include "memory_source.h"
#include "messages/message_record.h"

namespace postroom {
namespace {

using testing::FakeHost;
using testing::MemorySource;

struct HeaderCase {
    const char* what;
    std::string message;
    const char* fromName;
    const char* fromAddress;
    const char* toName;
    const char* toAddress;
    const char* subject;
    bool hasDate;
    int priority;
    bool attachments;
    int result;
    int lines;
};

void ExpectText(const char* actual, const char* expected, const char* field)
{
    if (expected)
        EXPECT_STREQ(actual ? actual : "<null>", expected) << field;
    else
        EXPECT_EQ(actual, nullptr) << field << ": " << actual;
}

class HeaderBlockTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderBlockTest, ReadsTheSummary)
{
    const HeaderCase& c = GetParam();
    FakeHost host;
    for (std::int32_t step : {1 << 30, 7, 1}) {
        MemorySource box;
        box.maxStep = step;
        const int i = box.Add(c.message);
        MessageRecord record(nullptr, &box, i);
        SCOPED_TRACE(step);
        EXPECT_EQ(record.ParseResultCode(), c.result);
        ExpectText(record.FromName(), c.fromName, "from name");
        ExpectText(record.FromAddress(), c.fromAddress, "from address");
        ExpectText(record.ToName(), c.toName, "to name");
        ExpectText(record.ToAddress(), c.toAddress, "to address");
        ExpectText(record.Subject(), c.subject, "subject");
        EXPECT_EQ(record.Date() != -1, c.hasDate);
        EXPECT_EQ(record.DateText() != nullptr, c.hasDate);
        EXPECT_EQ(record.Priority(), c.priority);
        EXPECT_EQ(record.HasAttachments(), c.attachments);
        EXPECT_EQ(record.LineCount(), c.lines);
    }
}

INSTANTIATE_TEST_SUITE_P(
    RealWorld, HeaderBlockTest,
    ::testing::Values(
        HeaderCase {"outlook_style",
                    "From: \"Doe, John\" <john.doe@example.com>\r\n"
                    "To: Jane Roe <jane@example.org>\r\n"
                    "Subject: Meeting\r\n"
                    "Date: Fri, 11 Dec 2026 13:42:47 +0000\r\n"
                    "X-Priority: 1 (Highest)\r\n"
                    "Content-Type: multipart/mixed; boundary=\"b\"\r\n"
                    "\r\n"
                    "body line 1\r\nline 2\r\n",
                    "Doe, John", "john.doe@example.com", "Jane Roe", "jane@example.org", "Meeting", true, 1,
                    true, 0, 3},
        HeaderCase {"folded_subject_and_lower_case_names",
                    "from: john@example.com (John Doe)\r\n"
                    "SUBJECT: first part\r\n\tsecond part\r\n"
                    "date: Mon, 2 Feb 2015 10:00:00 EST\r\n"
                    "x-priority: Low\r\n"
                    "\r\n"
                    "one line",
                    "John Doe", "john@example.com", nullptr, nullptr, "first part second part", true, 4, false,
                    0, 1},
        HeaderCase {"no_blank_after_colon", "From:a@b\r\nTo:c@d\r\nSubject:x\r\n\r\n", nullptr, "a@b", nullptr,
                    "c@d", "x", false, -1, false, 0, 1},
        HeaderCase {"empty_values_are_absent", "From:\r\nTo: \r\nSubject:\r\nDate:\r\nBcc:\r\n\r\n", nullptr,
                    nullptr, nullptr, nullptr, "", false, -1, false, 0, 1},
        HeaderCase {"encoded_word_is_never_the_address",
                    "From: =?us-ascii?Q?a=40b.com?= <x@evil>\r\nTo: =?us-ascii?Q?c=40d.com?=\r\n\r\n", "a@b.com",
                    "x@evil", nullptr, "=?us-ascii?Q?c=40d.com?=", nullptr, false, -1, false, 0, 1},
        HeaderCase {"decoded_line_breaks_become_blanks",
                    "Subject: =?utf-8?Q?Hi=0D=0ABcc:_victim@example.com?=\r\n\r\n", nullptr, nullptr, nullptr,
                    nullptr, "Hi  Bcc: victim@example.com", false, -1, false, 0, 1},
        HeaderCase {"decoded_nul_becomes_a_blank", "Subject: =?iso-8859-1?Q?a=00b?=\r\n\r\n", nullptr, nullptr,
                    nullptr, nullptr, "a b", false, -1, false, 0, 1},
        HeaderCase {"base64_name_and_subject",
                    "From: =?UTF-8?B?SsO8cmdlbg==?= <j@example.de>\r\nSubject: =?utf-8?b?R3LDvMOfZQ==?=\r\n\r\n",
                    "J\xc3\xbcrgen", "j@example.de", nullptr, nullptr, "Gr\xc3\xbc\xc3\x9f" "e", false, -1, false, 0,
                    1},
        HeaderCase {"malformed_encoded_word_stays_raw", "Subject: =?utf-8?Q?bad=Z?= and =?koi8-r?Q?x?=\r\n\r\n",
                    nullptr, nullptr, nullptr, nullptr, "=?utf-8?Q?bad=Z?= and =?koi8-r?Q?x?=", false, -1, false,
                    0, 1},
        HeaderCase {"eight_bit_bytes_pass", "Subject: \xe9t\xe9\r\n\r\n", nullptr, nullptr, nullptr, nullptr,
                    "\xe9t\xe9", false, -1, false, 0, 1},
        HeaderCase {"lf_only_lines", "From: A <a@x>\nSubject: s\n\nb1\nb2\n", "A", "a@x", nullptr, nullptr, "s",
                    false, -1, false, 0, 3},
        HeaderCase {"alternative_clears_attachments",
                    "Content-Type: multipart/mixed\r\nContent-Type: multipart/alternative; boundary=x\r\n\r\n",
                    nullptr, nullptr, nullptr, nullptr, nullptr, false, -1, false, 0, 1},
        HeaderCase {"header_without_body", "From: a@b\r\nSubject: s\r\n", nullptr, "a@b", nullptr, nullptr, "s",
                    false, -1, false, 5, 0},
        HeaderCase {"folded_line_without_end", "Subject: a\r\n b", nullptr, nullptr, nullptr, nullptr, "a b",
                    false, -1, false, 5, 0},
        HeaderCase {"bad_date_is_no_date", "Date: 31 Foo 2020\r\n\r\n", nullptr, nullptr, nullptr, nullptr,
                    nullptr, false, -1, false, 0, 1},
        HeaderCase {"repeated_header_replaces", "Subject: one\r\nSubject: two\r\n\r\n", nullptr, nullptr,
                    nullptr, nullptr, "two", false, -1, false, 0, 1},
        HeaderCase {"empty_message", "", nullptr, nullptr, nullptr, nullptr, nullptr, false, -1, false, 5, 0}),
    [](const auto& tc) { return std::string(tc.param.what); });

TEST(MessageRecordTest, AttachmentsDetectedForEachAttachingType)
{
    for (const char* type : {"multipart/mixed", "multipart/parallel", "multipart/digest",
                             "application/octet-stream", "Multipart/Mixed"}) {
        MemorySource box;
        const int i = box.Add(std::string("Content-Type: ") + type + "\r\n\r\n");
        MessageRecord record(nullptr, &box, i);
        EXPECT_TRUE(record.HasAttachments()) << type;
        EXPECT_STREQ(record.ContentType(), type);
    }
    MemorySource box;
    MessageRecord plain(nullptr, &box, box.Add("Content-Type: text/plain\r\n\r\n"));
    EXPECT_FALSE(plain.HasAttachments());
}

TEST(MessageRecordTest, RawFieldsAndBodyStart)
{
    const std::string head =
        "Cc: c@x\r\nBcc: b@x\r\nReply-To: r@x\r\nMessage-ID: <id@x>\r\nIn-Reply-To: <p@x>\r\n"
        "Organization: Org\r\nNewsgroups: comp.mail\r\nX-Unknown: ignored\r\n\r\n";
    MemorySource box;
    const int i = box.Add(head + "body");
    MessageRecord r(nullptr, &box, i);
    EXPECT_STREQ(r.Cc(), "c@x");
    EXPECT_STREQ(r.Bcc(), "b@x");
    EXPECT_STREQ(r.ReplyTo(), "r@x");
    EXPECT_STREQ(r.MessageId(), "<id@x>");
    EXPECT_STREQ(r.InReplyTo(), "<p@x>");
    EXPECT_STREQ(r.Organization(), "Org");
    EXPECT_STREQ(r.Newsgroups(), "comp.mail");
    EXPECT_EQ(r.BodyStart(), static_cast<std::int32_t>(head.size()));
    EXPECT_EQ(r.Size(), static_cast<std::int32_t>(head.size() + 4));
    char buf[8] = {};
    std::int32_t got = 0;
    EXPECT_EQ(r.ReadBody(buf, r.BodyStart(), 100, &got), 0);
    EXPECT_EQ(std::string(buf, static_cast<std::size_t>(got)), "body");
}

TEST(MessageRecordTest, VeryLongHeaderLineIsFollowedToItsEnd)
{
    const std::string subject(10000, 's');
    MemorySource box;
    MessageRecord r(nullptr, &box, box.Add("Subject: " + subject + "\r\nTo: t@x\r\n\r\n"));
    EXPECT_EQ(r.Subject(), subject);
    EXPECT_STREQ(r.ToAddress(), "t@x");
}

TEST(MessageRecordTest, InfoBlockUsesHostTextsFirst)
{
    FakeHost host;
    MemorySource box;
    MessageRecord r(nullptr, &box, box.Add("Organization: Org\r\nReply-To: r@x\r\n\r\n"));
    EXPECT_STREQ(r.InfoBlock(), "Organization: Org\r\nReply-To: r@x\r\n");
    static const char kOrganisation[] = "Organisation:";
    host.answer = [](const testing::HostCall& c, std::int32_t* result) {
        if (c.code != HC_LOCALISED_TEXT || c.p != 277)
            return false;
        *reinterpret_cast<const char**>(c.b) = kOrganisation;
        *result = 0;
        return true;
    };
    EXPECT_STREQ(r.InfoBlock(), "Organisation: Org\r\nReply-To: r@x\r\n");
}

TEST(MessageRecordTest, ReadFlagFollowsUnreadAndMarkRead)
{
    MemorySource box;
    const int unread = box.Add("Subject: a\r\n\r\n", MF_UNREAD);
    const int seen = box.Add("Subject: b\r\n\r\n", 0);
    MessageRecord a(nullptr, &box, unread);
    MessageRecord b(nullptr, &box, seen);
    EXPECT_FALSE(a.Read());
    EXPECT_TRUE(b.Read());
    EXPECT_EQ(a.MarkRead(), 0);
    EXPECT_TRUE(a.Read());
    EXPECT_EQ(box.flags[static_cast<std::size_t>(unread)] & MF_UNREAD, 0u);
}

#ifndef _WIN32
TEST(MessageRecordTest, DateIsShownInLocalTime)
{
    // Berlin in winter: UTC + 1.  12:00 at -0500 is 17:00 UTC, 18:00 there.
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    ::tzset();
    MemorySource box;
    MessageRecord r(nullptr, &box, box.Add("Date: Mon, 2 Feb 2015 12:00:00 -0500\r\n\r\n"));
    ASSERT_NE(r.DateText(), nullptr);
    EXPECT_NE(std::string(r.DateText()).find("18:00"), std::string::npos) << r.DateText();
    if (old)
        ::setenv("TZ", saved.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}
#endif

}  // namespace
}  // namespace postroom
