#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "messages/header_fields.h"

namespace postroom {
namespace {

// Seconds since 1970 by counting whole days, independently of the parser.
std::int64_t Utc(int y, int mo, int d, int h, int mi, int s)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    auto leap = [](int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; };
    std::int64_t days = 0;
    for (int year = 1970; year < y; ++year)
        days += leap(year) ? 366 : 365;
    for (int m = 1; m < mo; ++m)
        days += kDays[m - 1] + (m == 2 && leap(y) ? 1 : 0);
    days += d - 1;
    return days * 86400 + h * 3600 + mi * 60 + s;
}

struct DateCase {
    const char* text;
    std::int64_t expected;  // -1: no date
};

class DateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateTest, ParsesToTrueUtc)
{
    const auto r = ParseDate(GetParam().text);
    if (GetParam().expected < 0) {
        EXPECT_FALSE(r.has_value()) << GetParam().text << " gave " << r.value_or(0);
    } else {
        ASSERT_TRUE(r.has_value()) << GetParam().text;
        EXPECT_EQ(*r, GetParam().expected) << GetParam().text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    RealMailers, DateTest,
    ::testing::Values(
        DateCase {"Fri, 11 Dec 2026 13:42:47 +0000", Utc(2026, 12, 11, 13, 42, 47)},
        DateCase {"Fri, 11 Dec 2026 13:42:47 -0500", Utc(2026, 12, 11, 18, 42, 47)},
        DateCase {"Fri, 11 Dec 2026 13:42:47 +0530", Utc(2026, 12, 11, 8, 12, 47)},
        DateCase {"Fri, 11 Dec 2026 13:42:47 -0800 (PST)", Utc(2026, 12, 11, 21, 42, 47)},
        DateCase {"11 Dec 2026 13:42 +0100", Utc(2026, 12, 11, 12, 42, 0)},
        DateCase {"Fri,\t11 Dec 2026\t13:42:47\t+0000", Utc(2026, 12, 11, 13, 42, 47)},
        DateCase {"Mon, 2 Feb 2015 10:00:00 GMT", Utc(2015, 2, 2, 10, 0, 0)},
        DateCase {"Mon, 2 Feb 2015 10:00:00 UT", Utc(2015, 2, 2, 10, 0, 0)},
        DateCase {"Mon, 2 Feb 2015 10:00:00 EST", Utc(2015, 2, 2, 15, 0, 0)},
        DateCase {"Mon, 2 Feb 2015 10:00:00 PDT", Utc(2015, 2, 2, 17, 0, 0)},
        DateCase {"Mon, 2 Feb 2015 10:00:00 CEST", Utc(2015, 2, 2, 8, 0, 0)},
        DateCase {"Mon, 2 Feb 2015 10:00:00 AKST", Utc(2015, 2, 2, 19, 0, 0)},
        DateCase {"Mon, 2 Feb 2015 10:00:00 Z", Utc(2015, 2, 2, 10, 0, 0)},
        DateCase {"Mon, 2 Feb 2015 10:00:00 A", Utc(2015, 2, 2, 10, 0, 0)},
        DateCase {"Mon, 2 Feb 2015 10:00:00 M", Utc(2015, 2, 2, 10, 0, 0)},
        DateCase {"Mon, 2 Feb 2015 1:02:03 +0000", Utc(2015, 2, 2, 1, 2, 3)},
        DateCase {"Mon, 2 Feb 2015 10:00:00 (CET) +0100", Utc(2015, 2, 2, 9, 0, 0)},
        DateCase {"Mon, 2 Feb 2015 10:00:00 +0000 (UTC)", Utc(2015, 2, 2, 10, 0, 0)},
        DateCase {"2 Feb 2015", Utc(2015, 2, 2, 0, 0, 0)},
        DateCase {"Thu, 1 Jan 99 00:00:00 +0100", Utc(1998, 12, 31, 23, 0, 0)},
        DateCase {"Fri, 11 Dec 26 13:42:47 +0000", Utc(2026, 12, 11, 13, 42, 47)},
        DateCase {"Thu, 29 Feb 2024 23:59:60 +0000", Utc(2024, 3, 1, 0, 0, 0)},
        DateCase {"Tue, 19 Jan 2038 03:14:07 +0000", Utc(2038, 1, 19, 3, 14, 7)},
        DateCase {"Thu, 1 Jan 1970 00:00:00 +0000", 0},
        DateCase {"Thu, 1 Jan 1970 00:30:00 -0100", Utc(1970, 1, 1, 1, 30, 0)}));

INSTANTIATE_TEST_SUITE_P(
    NoDate, DateTest,
    ::testing::Values(DateCase {"", -1}, DateCase {"Mon,", -1}, DateCase {"Fri Dec 11 13:42:47 2026", -1},
                      DateCase {"1 jan 2015 10:00:00 +0000", -1}, DateCase {"1 Jan 0000 10:00:00 +0000", -1},
                      DateCase {"1 Jan 99999 10:00:00 +0000", -1}, DateCase {"1 Jan 215 10:00:00 +0000", -1},
                      DateCase {"1 Jan 2015 10:00:00 +9999", -1}, DateCase {"1 Jan 2015 10:00:00 +01", -1},
                      DateCase {"1 Jan 2015 25:00:00 +0000", -1}, DateCase {"1 Jan 2015 10:60:00 +0000", -1},
                      DateCase {"1 Jan 2015 10", -1}, DateCase {"32 Jan 2015 10:00:00 +0000", -1},
                      DateCase {"0 Jan 2015 10:00:00 +0000", -1}, DateCase {"Tue, 19 Jan 2038 03:14:08 +0000", -1},
                      DateCase {"Wed, 31 Dec 1969 23:59:59 +0000", -1},
                      DateCase {"Thu, 1 Jan 1970 00:30:00 +0100", -1}, DateCase {"1 Jan 49 00:00:00 +0000", -1},
                      DateCase {"1 Jan 1901 00:00:00 +0000", -1}, DateCase {"31 Dec 9999 23:59:59 -2359", -1}));

struct SplitCase {
    const char* text;
    const char* name;  // null: none
    const char* address;
};

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, SplitsNameAndAddress)
{
    const SplitAddressResult r = SplitAddress(GetParam().text);
    if (GetParam().name)
        EXPECT_EQ(r.name.value_or("<none>"), GetParam().name);
    else
        EXPECT_FALSE(r.name.has_value()) << *r.name;
    if (GetParam().address)
        EXPECT_EQ(r.address.value_or("<none>"), GetParam().address);
    else
        EXPECT_FALSE(r.address.has_value()) << *r.address;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitTest,
    ::testing::Values(SplitCase {"\"Doe, John\" <john.doe@example.com>", "Doe, John", "john.doe@example.com"},
                      SplitCase {"Jane Roe <jane@example.org>", "Jane Roe", "jane@example.org"},
                      SplitCase {"<only@example.org>", nullptr, "only@example.org"},
                      SplitCase {"  \"\"  <q@example.org>", nullptr, "q@example.org"},
                      SplitCase {"john@example.com (John Doe)", "John Doe", "john@example.com"},
                      SplitCase {"(Just A Comment)", "Just A Comment", nullptr},
                      SplitCase {"a@b", nullptr, "a@b"},
                      SplitCase {"  spaced@example.com  ", nullptr, "spaced@example.com"},
                      SplitCase {"Open <open@example.com", "Open", "open@example.com"},
                      SplitCase {"\"a <b>\" <c@d>", "a <b>", "c@d"},
                      SplitCase {"\"x (y)\" z@w", nullptr, "\"x (y)\" z@w"},
                      SplitCase {"=?us-ascii?Q?a=40b.com?= <x@evil>", "=?us-ascii?Q?a=40b.com?=", "x@evil"},
                      SplitCase {"", nullptr, nullptr}));

struct PriorityCase {
    const char* text;
    int expected;
};

class PriorityTest : public ::testing::TestWithParam<PriorityCase> {};

TEST_P(PriorityTest, ReadsWordsThenNumbers)
{
    EXPECT_EQ(PriorityOf(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, PriorityTest,
                         ::testing::Values(PriorityCase {"1 (Highest)", 1}, PriorityCase {"3", 3},
                                           PriorityCase {"Low", 4}, PriorityCase {"Lowest", 5},
                                           PriorityCase {"2 (High)", 2}, PriorityCase {"Normal", 3},
                                           PriorityCase {"9", 3}, PriorityCase {"0", 3},
                                           PriorityCase {"urgent", -1}, PriorityCase {"", -1}));

}  // namespace
}  // namespace postroom
