// Date in local time.  The program runs once per zone, with TZ naming the
// zone (UTC, Europe/Oslo, America/New_York, Australia/Lord_Howe whose
// daylight saving is half an hour, Asia/Kolkata); the cases of that zone
// check the exact texts and the hours around both changes of the clocks.
// In every zone, including whatever zone Wine gives the Windows runtime,
// the checks that hold anywhere run over a whole year and over centuries:
// printed dates read back, local fields agree with the offset, local times
// make the instant they came from.
#include <cstdlib>
#ifdef _WIN32
#include <ctime>
#endif
#include <cstring>
#include <iterator>
#include <string>

#include "date_cases.h"
#include "script_runner.h"

namespace {

struct Zone {
	const char *name;
	const DateCase *cases;
	size_t count;
};

const DateCase utc_cases[] = {
	{"new Date(0).toString()", "'Thursday, 01 January 1970 00:00:00 GMT+0000 (UTC)'"},
	{"new Date(0).getTimezoneOffset()", "0"},
	{"Date.parse('1 January 1970')", "0"},
	{"Date.parse('Thu, 01 Jan 1970 10:30')", "37800000"},
	{"Date.parse('January 2, 1970 00:00:00')", "86400000"},
	{"Date.parse('Thu Jan 01 1970')", "0"},
	{"new Date(0).toLocaleString()", "'01/01/1970 00:00:00'"},
	{"new Date(70, 0, 1, 10).getTime()", "36000000"},
	{"new Date(99, 0).getFullYear()", "1999"},
	{"new Date(100, 0).getFullYear()", "100"},
	{"new Date(2000, 1, 29).getDate()", "29"},
	{"new Date(1900, 1, 29).getDate()", "1"},
};

const DateCase oslo_cases[] = {
	{"new Date(0).toString()", "'Thursday, 01 January 1970 01:00:00 GMT+0100 (CET)'"},
	{"new Date(0).toDateString()", "'Thursday, 01 January 1970'"},
	{"new Date(0).toTimeString()", "'01:00:00 GMT+0100 (CET)'"},
	{"new Date(1970, 0, 1).getTime()", "-3600000"},
	{"Date.parse('1 January 1970')", "-3600000"},
	{"Date.parse('Thu, 01 Jan 1970 10:30')", "34200000"},
	// Clocks go forward at 01:00 UTC on 28 March 2021.
	{"new Date(Date.UTC(2021, 2, 28, 0, 59, 59)).toString()", "'Sunday, 28 March 2021 01:59:59 GMT+0100 (CET)'"},
	{"new Date(Date.UTC(2021, 2, 28, 1)).toString()", "'Sunday, 28 March 2021 03:00:00 GMT+0200 (CEST)'"},
	{"new Date(Date.UTC(2021, 2, 28, 0, 59)).getTimezoneOffset()", "-60"},
	{"new Date(Date.UTC(2021, 2, 28, 1)).getTimezoneOffset()", "-120"},
	{"new Date(Date.UTC(2021, 2, 28, 1)).getHours()", "3"},
	// 02:30 does not occur that night: read with the offset before.
	{"new Date(2021, 2, 28, 2, 30) - Date.UTC(2021, 2, 28, 1, 30)", "0"},
	{"new Date(2021, 2, 28, 3, 0) - Date.UTC(2021, 2, 28, 1, 0)", "0"},
	// Back at 01:00 UTC on 31 October: 02:30 occurs twice, the first is taken.
	{"new Date(Date.UTC(2021, 9, 31, 0, 59)).toString()", "'Sunday, 31 October 2021 02:59:00 GMT+0200 (CEST)'"},
	{"new Date(Date.UTC(2021, 9, 31, 1)).toString()", "'Sunday, 31 October 2021 02:00:00 GMT+0100 (CET)'"},
	{"new Date(2021, 9, 31, 2, 30) - Date.UTC(2021, 9, 31, 0, 30)", "0"},
	{"new Date(2021, 9, 31, 3, 0) - Date.UTC(2021, 9, 31, 2, 0)", "0"},
	{"d = new Date(2021, 6, 1); d.setHours(25); d.toString()", "'Friday, 02 July 2021 01:00:00 GMT+0200 (CEST)'"},
	{"d = new Date(2021, 2, 27, 2, 30); d.setDate(28); d.getHours()", "3"},
	{"new Date(Date.UTC(2100, 6, 1)).getTimezoneOffset()", "-120"},
	{"new Date(0).toLocaleString()", "'01/01/1970 01:00:00'"},
};

const DateCase new_york_cases[] = {
	{"new Date(0).toString()", "'Wednesday, 31 December 1969 19:00:00 GMT-0500 (EST)'"},
	{"new Date(0).getDate()", "31"},
	{"new Date(0).getDay()", "3"},
	{"new Date(0).getYear()", "69"},
	{"Date.parse('1 January 1970')", "18000000"},
	{"Date.parse('Thu, 01 Jan 1970 10:30')", "55800000"},
	// Forward at 07:00 UTC on 14 March 2021.
	{"new Date(Date.UTC(2021, 2, 14, 6, 59)).toString()", "'Sunday, 14 March 2021 01:59:00 GMT-0500 (EST)'"},
	{"new Date(Date.UTC(2021, 2, 14, 7)).toString()", "'Sunday, 14 March 2021 03:00:00 GMT-0400 (EDT)'"},
	{"new Date(2021, 2, 14, 2, 30) - Date.UTC(2021, 2, 14, 7, 30)", "0"},
	{"new Date(Date.UTC(2021, 6, 1)).getTimezoneOffset()", "240"},
	{"new Date(Date.UTC(2021, 0, 1)).getTimezoneOffset()", "300"},
	// Back at 06:00 UTC on 7 November.
	{"new Date(Date.UTC(2021, 10, 7, 5, 59)).toString()", "'Sunday, 07 November 2021 01:59:00 GMT-0400 (EDT)'"},
	{"new Date(Date.UTC(2021, 10, 7, 6)).toString()", "'Sunday, 07 November 2021 01:00:00 GMT-0500 (EST)'"},
	{"new Date(2021, 10, 7, 1, 30) - Date.UTC(2021, 10, 7, 5, 30)", "0"},
	{"new Date(2021, 10, 7, 2, 0) - Date.UTC(2021, 10, 7, 7, 0)", "0"},
	{"d = new Date(2021, 10, 6, 12); d.setDate(8); d.getHours()", "12"},
	{"new Date(Date.UTC(2021, 10, 7, 6)).toTimeString()", "'01:00:00 GMT-0500 (EST)'"},
};

const DateCase lord_howe_cases[] = {
	// 1970: ten hours east, without daylight saving.
	{"new Date(0).toString()", "'Thursday, 01 January 1970 10:00:00 GMT+1000 (AEST)'"},
	{"Date.parse('1 January 1970')", "-36000000"},
	// Back half an hour at 15:00 UTC on 3 April 2021 (02:00 local).
	{"new Date(Date.UTC(2021, 3, 3, 14, 59)).toString()", "'Sunday, 04 April 2021 01:59:00 GMT+1100 (+11)'"},
	{"new Date(Date.UTC(2021, 3, 3, 15)).toString()", "'Sunday, 04 April 2021 01:30:00 GMT+1030 (+1030)'"},
	{"new Date(Date.UTC(2021, 3, 3, 14, 59)).getTimezoneOffset()", "-660"},
	{"new Date(Date.UTC(2021, 3, 3, 15)).getTimezoneOffset()", "-630"},
	{"new Date(Date.UTC(2021, 3, 3, 15)).getMinutes()", "30"},
	{"new Date(2021, 3, 4, 1, 45) - Date.UTC(2021, 3, 3, 14, 45)", "0"},
	// Forward half an hour at 15:30 UTC on 2 October (02:00 local).
	{"new Date(Date.UTC(2021, 9, 2, 15, 29)).toString()", "'Sunday, 03 October 2021 01:59:00 GMT+1030 (+1030)'"},
	{"new Date(Date.UTC(2021, 9, 2, 15, 30)).toString()", "'Sunday, 03 October 2021 02:30:00 GMT+1100 (+11)'"},
	{"new Date(2021, 9, 3, 2, 15) - Date.UTC(2021, 9, 2, 15, 45)", "0"},
	{"new Date(2021, 9, 3, 2, 15).getMinutes()", "45"},
	{"new Date(Date.UTC(2021, 9, 2, 15, 30)).toTimeString()", "'02:30:00 GMT+1100 (+11)'"},
};

const DateCase kolkata_cases[] = {
	{"new Date(0).toString()", "'Thursday, 01 January 1970 05:30:00 GMT+0530 (IST)'"},
	{"new Date(1970, 0, 1, 5, 30).getTime()", "0"},
	{"Date.parse('1 January 1970')", "-19800000"},
	{"new Date(Date.UTC(2021, 0, 1)).getTimezoneOffset()", "-330"},
	{"new Date(Date.UTC(2021, 6, 1)).getTimezoneOffset()", "-330"},
	{"new Date(Date.UTC(2021, 5, 30, 18, 29)).getDate()", "30"},
	{"new Date(Date.UTC(2021, 5, 30, 18, 30)).getDate()", "1"},
};

const Zone zones[] = {
	{"UTC", utc_cases, std::size(utc_cases)},
	{"Europe/Oslo", oslo_cases, std::size(oslo_cases)},
	{"America/New_York", new_york_cases, std::size(new_york_cases)},
	{"Australia/Lord_Howe", lord_howe_cases, std::size(lord_howe_cases)},
	{"Asia/Kolkata", kolkata_cases, std::size(kolkata_cases)},
};

TEST_F(RunTest, DateZoneCases)
{
#ifdef _WIN32
	GTEST_SKIP() << "the Windows runtime reads no zone names; see DateInTheSystemZone";
#endif
	const char *tz = std::getenv("TZ");
	const Zone *zone = nullptr;
	for (const Zone &z : zones)
		if (tz && std::strcmp(tz, z.name) == 0)
			zone = &z;
	if (!zone)
		GTEST_SKIP() << "TZ names none of the zones with cases";
	for (size_t i = 0; i < zone->count; ++i) {
		Outcome o = Run(zone->cases[i].text);
		EXPECT_EQ(o.status, 2) << zone->cases[i].text << " -> " << o.value;
		EXPECT_EQ(Normalised(o.value), zone->cases[i].value) << zone->name << ": " << zone->cases[i].text;
	}
}

// For each instant: the printed texts read back to the second, the local
// fields and the offset agree (the date text, the getters and the offset
// make the instant again), and
// the local fields make the instant again (or, where the clocks went back,
// the earlier instant with the same fields).  Years 0 to 99 are set with
// setFullYear, which does not add 1900.
const char kInvariants[] = R"(
function local(d) {
  var l = new Date(0);
  l.setUTCFullYear(d.getFullYear(), d.getMonth(), d.getDate());
  l.setUTCHours(d.getHours(), d.getMinutes(), d.getSeconds(), d.getMilliseconds());
  return l.getTime();
}
function fields(d) {
  return [d.getFullYear(), d.getMonth(), d.getDate(), d.getHours(), d.getMinutes(), d.getSeconds(),
          d.getMilliseconds(), d.getDay()].join();
}
function two(n) {
  return (n < 10 ? '0' : '') + n;
}
function check(t) {
  var d = new Date(t);
  var second = t - ((t % 1000) + 1000) % 1000;
  if (Date.parse(d.toString()) != second) return 'toString of ' + t + ': ' + d.toString();
  if (Date.parse(d.toUTCString()) != second) return 'toUTCString of ' + t;
  var offset = d.getTimezoneOffset();
  if ((local(d) - t) / 60000 != -offset) return 'offset of ' + t;
  var off = Math.abs(offset);
  var built = d.toDateString() + ' ' + two(d.getHours()) + ':' + two(d.getMinutes()) + ':' +
              two(d.getSeconds()) + ' GMT' + (offset > 0 ? '-' : '+') + two(Math.floor(off / 60)) + two(off % 60);
  if (Date.parse(built) != second) return 'fields and offset of ' + t + ': ' + built;
  var y = d.getFullYear();
  var r = new Date(2000, 0, 1);
  r.setFullYear(y, d.getMonth(), d.getDate());
  r.setHours(d.getHours(), d.getMinutes(), d.getSeconds(), d.getMilliseconds());
  if (r.getTime() != t && !(r.getTime() < t && fields(r) == fields(d)))
    return 'local fields of ' + t + ' make ' + r.getTime();
  if (d.getDay() != new Date(local(d)).getUTCDay()) return 'weekday of ' + t;
  return '';
}
function run() {
  var start = Date.UTC(2021, 0, 1, 0, 0, 0, 123), end = Date.UTC(2022, 0, 1);
  for (var t = start; t < end; t += 45 * 60000) {
    var e = check(t);
    if (e) return e;
  }
  var years = [-271820, -10000, -1, 0, 1, 50, 99, 100, 1000, 1600, 1800, 1883, 1900, 1901, 1950, 1969,
               1970, 1971, 2000, 2037, 2038, 2039, 2100, 2999, 3000, 3001, 10000, 275759];
  for (var i = 0; i < years.length; i++) {
    for (var month = 0; month < 12; month += 3) {
      var u = new Date(0);
      u.setUTCFullYear(years[i], month, 15);
      u.setUTCHours(13, 14, 15, 16);
      var e = check(u.getTime());
      if (e) return e;
    }
  }
  var ends = [-8.64e15, -8.64e15 + 1, 8.64e15 - 1, 8.64e15];
  for (var i = 0; i < ends.length; i++) {
    var d = new Date(ends[i]);
    if (isNaN(d.getHours()) || d.toString() == 'Invalid Date') return 'end ' + ends[i];
    if (Math.abs(Date.parse(d.toUTCString()) - ends[i]) >= 1000) return 'end text ' + ends[i];
  }
  return 'ok';
}
run()
)";

TEST_F(RunTest, DateInvariantsInThisZone)
{
	Outcome o = Run(kInvariants);
	EXPECT_EQ(o.status, 2) << o.value;
	EXPECT_EQ(o.value, "'ok'");
}

#ifdef _WIN32
// Under Wine the system's zone follows TZ, but the Windows runtime would
// read a zone name such as "Europe/Oslo" in its own form, wrongly; with TZ
// cleared it takes the system's zone, daylight saving included.  Times
// before 1970 and after 3000, which the runtime cannot convert, go through
// equivalent years and so follow today's rules.
TEST_F(RunTest, DateInTheSystemZone)
{
	const char *tz = std::getenv("TZ");
	if (!tz || std::strcmp(tz, "Europe/Oslo") != 0)
		GTEST_SKIP() << "runs with TZ=Europe/Oslo";
	ASSERT_EQ(_putenv("TZ="), 0);
	_tzset();
	const DateCase cases[] = {
		{"new Date(Date.UTC(2021, 0, 15)).getTimezoneOffset()", "-60"},
		{"new Date(Date.UTC(2021, 6, 15)).getTimezoneOffset()", "-120"},
		{"new Date(Date.UTC(2021, 2, 28, 0, 59)).getHours()", "1"},
		{"new Date(Date.UTC(2021, 2, 28, 1)).getHours()", "3"},
		{"new Date(2021, 2, 28, 2, 30) - Date.UTC(2021, 2, 28, 1, 30)", "0"},
		{"new Date(2021, 9, 31, 2, 30) - Date.UTC(2021, 9, 31, 0, 30)", "0"},
		{"new Date(Date.UTC(1950, 6, 15)).getTimezoneOffset()", "-120"},
		{"new Date(Date.UTC(1950, 0, 15)).getTimezoneOffset()", "-60"},
		{"new Date(Date.UTC(3500, 6, 15)).getTimezoneOffset()", "-120"},
		{"new Date(-8.64e15).getTimezoneOffset()", "-120"},   // 20 April
		{"new Date(1970, 0, 1, 1).getTime()", "0"},
		{"new Date(1969, 11, 31, 12).getTime()", "-46800000"},
	};
	for (const DateCase &c : cases)
		EXPECT_EQ(Normalised(Run(c.text).value), c.value) << c.text;
	EXPECT_EQ(Run(kInvariants).value, "'ok'");
}
#endif

// The locale texts: the C library's numeric forms natively, the user
// locale's short formats under Windows.
TEST_F(RunTest, DateLocaleTexts)
{
	const char *date = "new Date(2021, 2, 14, 15, 4, 5).toLocaleDateString()";
	const char *time = "new Date(2021, 2, 14, 15, 4, 5).toLocaleTimeString()";
#ifdef _WIN32
	std::string d = Run(date).value, t = Run(time).value;
	EXPECT_NE(d.find("2021"), std::string::npos) << d;
	EXPECT_NE(d.find("14"), std::string::npos) << d;
	EXPECT_NE(t.find("04"), std::string::npos) << t;
	EXPECT_NE(t.find("05"), std::string::npos) << t;
	// The Windows text is the locale's, not the stand-in's numeric form.
	EXPECT_NE(d, "'03/14/2021'");
#else
	EXPECT_EQ(Run(date).value, "'03/14/2021'");
	EXPECT_EQ(Run(time).value, "'15:04:05'");
#endif
	EXPECT_EQ(Run("d = new Date(2021, 2, 14, 15, 4, 5); d.toLocaleString() == d.toLocaleDateString() + ' ' +"
		      " d.toLocaleTimeString()")
			  .value,
		"true");
}

} // namespace
