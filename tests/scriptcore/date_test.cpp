// Date in any time zone: UTC arithmetic, the texts of UTC dates, the parser
// with explicit zones, invalid dates and huge values, and the methods'
// checks and conversions.  Run through the host interface.
#include <iterator>
#include <string>

#include "date_cases.h"
#include "script_runner.h"

namespace {

void RunDateCases(RunTest &t, const DateCase *cases, size_t count)
{
	for (size_t i = 0; i < count; ++i) {
		Outcome o = t.Run(cases[i].text);
		EXPECT_EQ(o.status, 2) << cases[i].text << " -> " << o.value;
		EXPECT_EQ(Normalised(o.value), cases[i].value) << cases[i].text;
	}
}

const DateCase utc_arithmetic[] = {
	{"new Date(0).getUTCFullYear()", "1970"},
	{"new Date(0).getUTCDay()", "4"},
	{"Date.UTC(2000, 0, 1)", "946684800000"},
	{"Date.UTC(2000, 12, 1) == Date.UTC(2001, 0, 1)", "true"},
	{"Date.UTC(2000, -1, 1) == Date.UTC(1999, 11, 1)", "true"},
	{"Date.UTC(2000, -13, 1) == Date.UTC(1998, 11, 1)", "true"},
	{"Date.UTC(99, 0) == Date.UTC(1999, 0)", "true"},
	{"Date.UTC(0, 0, 1)", "-2208988800000"},
	{"Date.UTC(100, 0, 1)", "-59011459200000"},
	{"Date.UTC(-1, 0, 1)", "-62198755200000"},
	{"Date.UTC(1970, 0, 1, 0, 0, 0, -1)", "-1"},
	{"Date.UTC(2000, 0, 1, 25)", "946774800000"},
	{"Date.UTC(2000, 0, 1.9, 1.9, 0.5)", "946688400000"},
	{"Date.UTC(2000, 0, 0) == Date.UTC(1999, 11, 31)", "true"},
	// Leap years and month ends.
	{"new Date(Date.UTC(2000, 1, 29)).getUTCDate()", "29"},
	{"new Date(Date.UTC(1900, 1, 29)).getUTCMonth() * 100 + new Date(Date.UTC(1900, 1, 29)).getUTCDate()",
	 "201"},
	{"new Date(Date.UTC(2100, 1, 29)).getUTCMonth()", "2"},
	{"new Date(Date.UTC(2400, 1, 29)).getUTCDate()", "29"},
	{"new Date(Date.UTC(2001, 3, 31)).getUTCMonth() * 100 + new Date(Date.UTC(2001, 3, 31)).getUTCDate()",
	 "401"},
	{"new Date(Date.UTC(2004, 11, 31)).getUTCDay()", "5"},
	{"(Date.UTC(2001, 0, 1) - Date.UTC(2000, 0, 1)) / 864e5", "366"},
	{"(Date.UTC(1901, 0, 1) - Date.UTC(1900, 0, 1)) / 864e5", "365"},
	// Times before 1970 count down from it.
	{"d = new Date(-1); [d.getUTCFullYear(), d.getUTCMonth(), d.getUTCDate(), d.getUTCHours(),"
	 " d.getUTCMinutes(), d.getUTCSeconds(), d.getUTCMilliseconds(), d.getUTCDay()].join()",
	 "'1969,11,31,23,59,59,999,3'"},
	{"new Date(-864e5 * 365).getUTCFullYear()", "1969"},
	{"new Date(Date.UTC(-1, 1, 29)).getUTCDate()", "1"},
	{"new Date(Date.UTC(-4, 1, 29)).getUTCDate()", "29"},
	// The limits of TimeClip.
	{"new Date(8.64e15).getTime()", "8640000000000000"},
	{"new Date(8.64e15 + 1).getTime()", "NaN"},
	{"new Date(-8.64e15).getTime()", "-8640000000000000"},
	{"new Date(-8.64e15 - 1).getTime()", "NaN"},
	{"d = new Date(8.64e15); [d.getUTCFullYear(), d.getUTCMonth(), d.getUTCDate(), d.getUTCDay()].join()",
	 "'275760,8,13,6'"},
	{"d = new Date(-8.64e15); [d.getUTCFullYear(), d.getUTCMonth(), d.getUTCDate(), d.getUTCDay()].join()",
	 "'-271821,3,20,2'"},
	{"Date.UTC(275760, 8, 13)", "8640000000000000"},
	{"Date.UTC(275760, 8, 13, 0, 0, 0, 1)", "NaN"},
	{"new Date(1.9).getTime()", "1"},
	{"new Date(-1.9).getTime()", "-1"},
	{"1 / new Date(-0.5).getTime()", "Infinity"},
	{"new Date(Infinity).getTime()", "NaN"},
	{"Date.UTC(1e20, 0)", "NaN"},
	{"Date.UTC(2000, Infinity)", "NaN"},
	{"Date.UTC(2000, 1e300)", "NaN"},
	{"Date.UTC(2000, 0, 1, 0, 0, -Infinity)", "NaN"},
	{"Date.UTC(2000, NaN)", "NaN"},
	{"Date.UTC(2000)", "NaN"},
	{"Date.UTC()", "NaN"},
	{"new Date(1e300, 0).getTime()", "NaN"},
};

TEST_F(RunTest, DateUtcArithmetic)
{
	RunDateCases(*this, utc_arithmetic, std::size(utc_arithmetic));
}

const DateCase utc_texts[] = {
	{"new Date(0).toUTCString()", "'Thursday, 01 January 1970 00:00:00 GMT'"},
	{"new Date(0).toGMTString()", "'Thursday, 01 January 1970 00:00:00 GMT'"},
	{"new Date(Date.UTC(2021, 11, 25, 9, 8, 7, 600)).toUTCString()", "'Saturday, 25 December 2021 09:08:07 GMT'"},
	{"new Date(Date.UTC(2000, 1, 29, 23, 59, 59)).toUTCString()", "'Tuesday, 29 February 2000 23:59:59 GMT'"},
	{"new Date(-1).toUTCString()", "'Wednesday, 31 December 1969 23:59:59 GMT'"},
	{"d = new Date(0); d.setUTCFullYear(5); d.toUTCString()", "'Saturday, 01 January 0005 00:00:00 GMT'"},
	{"d = new Date(0); d.setUTCFullYear(-1); d.toUTCString()", "'Friday, 01 January -001 00:00:00 GMT'"},
	{"new Date(8.64e15).toUTCString()", "'Saturday, 13 September 275760 00:00:00 GMT'"},
	{"new Date(-8.64e15).toUTCString()", "'Tuesday, 20 April -271821 00:00:00 GMT'"},
	{"new Date(Date.UTC(2023, 4, 1)).toGMTString()", "'Monday, 01 May 2023 00:00:00 GMT'"},
};

TEST_F(RunTest, DateUtcTexts)
{
	RunDateCases(*this, utc_texts, std::size(utc_texts));
}

// Texts with a zone are read the same in every zone.
const DateCase parse_with_zone[] = {
	{"Date.parse('Thu, 01 Jan 1970 00:00:00 GMT')", "0"},
	{"Date.parse('Thursday, 01 January 1970 01:00:00 GMT+0100 (CET)')", "0"},
	{"Date.parse('Wednesday, 31 December 1969 19:00:00 GMT-0500 (EST)')", "0"},
	{"Date.parse('Thursday, 01 January 1970 05:30:00 GMT+0530 (India Standard Time)')", "0"},
	{"Date.parse('Thu, 01 Jan 1970 10:30 GMT')", "37800000"},
	{"Date.parse('1 Jan 1970 10:00 -0130')", "41400000"},
	{"Date.parse('1 Jan 1970 10:00 +0130')", "30600000"},
	{"Date.parse('1 Jan 1970 10:00 GMT-01:30')", "41400000"},
	{"Date.parse('1 Jan 1970 10:00 +05')", "18000000"},
	{"Date.parse('1 Jan 1970 10:00 UTC')", "36000000"},
	{"Date.parse('1 jan 1970 10:00 utc')", "36000000"},
	{"Date.parse('1 Jan 1970 10:00:00 EST')", "54000000"},
	{"Date.parse('1 Jan 1970 10:00:00 PDT')", "61200000"},
	{"Date.parse('1 January 1970 GMT')", "0"},
	{"Date.parse('  1   JANUARY   1970   GMT')", "0"},
	{"Date.parse('Jan 2 1970 00:00:00 GMT')", "86400000"},
	{"Date.parse('January 2, 1970 00:00:00 GMT')", "86400000"},
	{"Date.parse('Janu 2, 1970 GMT')", "86400000"},
	{"Date.parse('Fri, 2 JANUARY 1970 GMT')", "86400000"},
	{"Date.parse('friday 2 Jan 1970 GMT')", "86400000"},
	// The forms other browsers and the C library print.
	{"Date.parse('Thu Jan 01 1970 00:00:00 GMT+0000')", "0"},
	{"Date.parse('Thu Jan 01 1970 01:00:00 GMT+0100 (Central European Standard Time)')", "0"},
	{"Date.parse('Thu Jan  1 00:00:00 UTC 1970')", "0"},
	{"Date.parse('Thu Jan  1 00:00:01 GMT+0100 1970')", "-3599000"},
	{"Date.parse('1 Jan 1970 00:00:00.250 GMT')", "250"},
	{"Date.parse('31 Dec 1969 23:59:59 GMT')", "-1000"},
	{"Date.parse('1 Jan 1970 24:00 GMT')", "86400000"},
	{"Date.parse('1 Jan -1 00:00:00 GMT')", "-62198755200000"},
	{"Date.parse('Tuesday, 20 April -271821 00:00:00 GMT')", "-8640000000000000"},
	{"Date.parse('Saturday, 01 January 0005 00:00:00 GMT') == Date.UTC(2005, 0) - 2000 * 365.2425 * 864e5",
	 "true"},
	// A missing year reads as year 0, as it always has.
	{"Date.parse('1 Jan GMT')", "-62167219200000"},
	{"new Date('Thu, 01 Jan 1970 00:00:01 GMT').getTime()", "1000"},
	{"d = new Date(Date.UTC(2021, 5, 15, 13, 14, 15, 678)); Date.parse(d.toUTCString()) - d", "-678"},
};

TEST_F(RunTest, DateParseWithZone)
{
	RunDateCases(*this, parse_with_zone, std::size(parse_with_zone));
}

const DateCase parse_failures[] = {
	{"Date.parse('x')", "NaN"},
	{"Date.parse('')", "NaN"},
	{"Date.parse()", "NaN"},
	{"Date.parse('   ')", "NaN"},
	{"Date.parse('Ja 1 1970 GMT')", "NaN"},
	{"Date.parse('Foo 1 1970 GMT')", "NaN"},
	{"Date.parse('32 Jan 1970 GMT')", "NaN"},
	{"Date.parse('0 Jan 1970 GMT')", "NaN"},
	{"Date.parse('1 1970 GMT')", "NaN"},
	{"Date.parse('1 Janvier 1970 GMT')", "NaN"},
	{"Date.parse('Thursday')", "NaN"},
	{"Date.parse('Thu, 1970')", "NaN"},
	{"Date.parse('January')", "NaN"},
	{"Date.parse('January x')", "NaN"},
	{"Date.parse('1 Jan 99999999999999999999 GMT')", "NaN"},
	{"Date.parse('1 Jan 1' + new Array(400).join('9') + ' GMT')", "NaN"},
	{"Date.parse('1 Jan 1970 00:00 +' + new Array(400).join('9'))", "NaN"},
	{"Date.parse('1 Jan 1970 ' + new Array(400).join('9') + ':00 GMT')", "NaN"},
	{"new Date('nonsense').getTime()", "NaN"},
	{"'' + new Date('nonsense')", "'Invalid Date'"},
};

TEST_F(RunTest, DateParseFailures)
{
	RunDateCases(*this, parse_failures, std::size(parse_failures));
}

const DateCase invalid_dates[] = {
	{"new Date(2000, NaN).getTime()", "NaN"},
	{"new Date(NaN, 0).getTime()", "NaN"},
	{"new Date(2000, 0, 1, 0, 0, 0, NaN).getTime()", "NaN"},
	{"new Date(2000, 0, Infinity).getTime()", "NaN"},
	{"d = new Date(0); d.setMonth(parseInt('')); d.getTime()", "NaN"},
	{"d = new Date(0); d.setMonth(parseInt('')); '' + d", "'Invalid Date'"},
	{"d = new Date(NaN); [d.toString(), d.toUTCString(), d.toGMTString(), d.toDateString(), d.toTimeString(),"
	 " d.toLocaleString(), d.toLocaleDateString(), d.toLocaleTimeString()].join('|')",
	 "'Invalid Date|Invalid Date|Invalid Date|Invalid Date|Invalid Date|Invalid Date|Invalid Date|"
	 "Invalid Date'"},
	{"'' + Date.prototype", "'Invalid Date'"},
	{"d = new Date(NaN); [d.getFullYear(), d.getUTCDay(), d.getHours(), d.getTimezoneOffset(), d.getYear()].join()",
	 "'NaN,NaN,NaN,NaN,NaN'"},
	{"d = new Date(NaN); d.setUTCMonth(1)", "NaN"},
	{"d = new Date(NaN); d.setHours(1)", "NaN"},
	{"d = new Date(NaN); d.setUTCDate(1)", "NaN"},
	// setFullYear starts an invalid date from +0, so the year makes it valid.
	{"d = new Date(NaN); d.setUTCFullYear(2000)", "946684800000"},
	{"d = new Date(NaN); d.setUTCFullYear(2000, 1, 29); d.toUTCString()",
	 "'Tuesday, 29 February 2000 00:00:00 GMT'"},
	{"d = new Date(0); d.setUTCHours(NaN)", "NaN"},
	{"d = new Date(0); d.setUTCMonth(Infinity)", "NaN"},
	{"d = new Date(0); d.setUTCMinutes(1e300)", "NaN"},
	{"d = new Date(0); d.setUTCFullYear(275760, 8, 14)", "NaN"},
	{"d = new Date(0); d.setUTCFullYear(275760, 8, 13)", "8640000000000000"},
	{"d = new Date(0); d.setTime(1e20)", "NaN"},
	{"d = new Date(0); d.setTime(-Infinity); d.getTime()", "NaN"},
	{"d = new Date(0); d.setTime(); d.getTime()", "NaN"},
	{"new Date(2000, 0, 1e300).getTime()", "NaN"},
	{"new Date(-1e300, 0).getTime()", "NaN"},
	{"d = new Date(0); d.setYear(NaN)", "NaN"},
};

TEST_F(RunTest, DateInvalidAndHuge)
{
	RunDateCases(*this, invalid_dates, std::size(invalid_dates));
}

const DateCase setters[] = {
	{"d = new Date(0); d.setUTCSeconds(90); d.getTime()", "90000"},
	{"d = new Date(5000); d.setUTCSeconds(); d.getTime()", "5000"},
	{"d = new Date(5000); d.setSeconds(); d.getTime()", "5000"},
	{"d = new Date(0); d.setUTCHours(1, 2, 3, 4)", "3723004"},
	{"d = new Date(0); d.setUTCHours(1, 2, 3, 4, 5, 6)", "3723004"},
	{"d = new Date(0); d.setUTCMinutes(1, 2)", "62000"},
	{"d = new Date(0); d.setUTCMilliseconds(-1)", "-1"},
	{"d = new Date(0); d.setUTCSeconds(1, 500)", "1500"},
	{"d = new Date(0); d.setUTCDate(31); d.setUTCMonth(1); d.getUTCMonth() * 100 + d.getUTCDate()", "203"},
	{"d = new Date(0); d.setUTCMonth(13, 2); d.toUTCString()", "'Tuesday, 02 February 1971 00:00:00 GMT'"},
	{"d = new Date(0); d.setUTCFullYear(2000, 1, 29)", "951782400000"},
	{"d = new Date(0); d.setUTCDate(0); d.toUTCString()", "'Wednesday, 31 December 1969 00:00:00 GMT'"},
	{"d = new Date(0); d.setTime('5')", "5"},
	{"d = new Date(7); d.setTime(d); d.getTime()", "7"},
	{"d = new Date(Date.UTC(2001, 5, 15)); d.getYear()", "101"},
	{"d = new Date(Date.UTC(1999, 5, 15)); d.getYear()", "99"},
	{"d = new Date(Date.UTC(2001, 5, 15, 12)); d.setYear(95); d.getFullYear()", "1995"},
	{"d = new Date(Date.UTC(2001, 5, 15, 12)); d.setYear(2005); d.getFullYear()", "2005"},
	{"d = new Date(NaN); d.setYear(2005); d.getFullYear() * 100 + d.getMonth()", "200500"},
};

TEST_F(RunTest, DateSetters)
{
	RunDateCases(*this, setters, std::size(setters));
}

const DateCase objects_and_checks[] = {
	{"typeof Date()", "'string'"},
	{"typeof new Date()", "'object'"},
	{"Math.abs(new Date().getTime() - Date.parse(Date())) < 2000", "true"},
	{"Date.length", "7"},
	{"Date.UTC.length", "7"},
	{"Date.parse.length", "1"},
	{"Date.prototype.setHours.length", "4"},
	{"Date.prototype.setUTCFullYear.length", "3"},
	{"Date.prototype.constructor === Date", "true"},
	{"Date.prototype.getTime()", "NaN"},
	{"Object.prototype.toString.call(Date.prototype)", "'[object Date]'"},
	{"Object.prototype.toString.call(new Date(0))", "'[object Date]'"},
	{"new Date(0) instanceof Date", "true"},
	{"s = ''; for (k in Date.prototype) s += k; for (k in Date) s += k; s", "''"},
	{"new Date(new Date(5)).getTime()", "5"},
	{"new Date({valueOf: function () { return 7 }}).getTime()", "7"},
	{"new Date({valueOf: null, toString: function () { return 'Thu, 01 Jan 1970 00:00:01 GMT' }}).getTime()",
	 "1000"},
	{"new Date(true).getTime()", "1"},
	{"new Date(null).getTime()", "0"},
	{"new Date(undefined).getTime()", "NaN"},
	{"new Date(5) - 0", "5"},
	{"typeof (new Date(0) + 1)", "'string'"},
	{"new Date(0) + 1 == new Date(0).toString() + '1'", "true"},
	{"try { new Date({valueOf: function () { throw 'v' }}) } catch (e) { e }", "'v'"},
	{"try { Date.UTC(2000, {valueOf: function () { throw 'm' }}) } catch (e) { e }", "'m'"},
	{"try { new Date(2000, {valueOf: function () { throw 'c' }}) } catch (e) { e }", "'c'"},
	{"s = ''; Date.UTC({valueOf: function () { s += 'y'; return 2000 }},"
	 " {valueOf: function () { s += 'm'; return 0 }}); s",
	 "'ym'"},
	{"try { Date.prototype.getDay.call({}) } catch (e) { e.name + ': ' + e.message }",
	 "'TypeError: Date.[[get]] requires a Date object'"},
	{"try { Date.prototype.valueOf.call(5) } catch (e) { e.name + ': ' + e.message }",
	 "'TypeError: Date.[[valueOf]] requires a Date object'"},
	{"try { Date.prototype.toUTCString.call({}) } catch (e) { e.name + ': ' + e.message }",
	 "'TypeError: Date.[[toString]] requires a Date object'"},
	{"try { Date.prototype.setTime.call({}, 1) } catch (e) { e.name + ': ' + e.message }",
	 "'TypeError: Date.[[set]] requires a Date object'"},
	// The field setters convert their arguments before they check.
	{"n = 0; try { Date.prototype.setHours.call({}, {valueOf: function () { n++; return 1 }}) }"
	 " catch (e) { n + e.message }",
	 "'1Date.[[set]] requires a Date object'"},
	{"d = new Date(0); d.setUTCHours({valueOf: function () { return 2 }}); d.getUTCHours()", "2"},
	// 1500 has no Windows locale text: the numeric form stands in.
	{"new Date(1500, 0, 2, 3, 4, 5).toLocaleDateString()", "'01/02/1500'"},
	{"d = new Date(2021, 2, 14, 15, 4, 5); d.toLocaleString() == d.toLocaleDateString() + ' ' +"
	 " d.toLocaleTimeString()",
	 "true"},
};

TEST_F(RunTest, DateObjectsAndChecks)
{
	RunDateCases(*this, objects_and_checks, std::size(objects_and_checks));
}

} // namespace
