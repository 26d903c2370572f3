// Date arithmetic: the day, year, month and time functions of time values
// (milliseconds since 1 January 1970 UTC), local time, and the date-text
// parser.  Every function takes NaN, infinities and huge values safely: a
// value outside the time range is caught before it reaches a table, an
// integer conversion or the C library, and no loop depends on one.
#ifndef SCRIPTCORE_BUILTINS_DATE_CALENDAR_H
#define SCRIPTCORE_BUILTINS_DATE_CALENDAR_H

#include <cstdint>

namespace js_date {

constexpr double kMsPerSecond = 1000;
constexpr double kMsPerMinute = 60000;
constexpr double kMsPerHour = 3600000;
constexpr double kMsPerDay = 86400000;
// The largest time value magnitude: 100 million days either side.
constexpr double kMaxTime = 8.64e15;

extern const char *const kMonthNames[12];
extern const char *const kWeekdayNames[7];

// floor(t / msPerDay) and the non-negative remainder.
double Day(double t);
double TimeWithinDay(double t);

double DaysInYear(double year);
double DayFromYear(double year);
// The year, month (0 to 11), date (1 to 31) and weekday (0 Sunday) of a
// time value.  NaN for a value outside the time range (with a margin of a
// few days for local times near its ends).
double YearFromTime(double t);
double MonthFromTime(double t);
double DateFromTime(double t);
double WeekDay(double t);
double HourFromTime(double t);
double MinFromTime(double t);
double SecFromTime(double t);
double MsFromTime(double t);

// The standard's constructors of time values; any argument that is not
// finite gives NaN.
double MakeTime(double hour, double min, double sec, double ms);
double MakeDay(double year, double month, double date);
double MakeDate(double day, double time);
double TimeClip(double t);

// The offset of local time from UTC at an instant, in milliseconds (east
// positive), taken from the C library's zone rules for that instant, so that
// daylight saving of any size (Lord Howe's is half an hour) and changes of a
// zone's standard offset are honoured.  Whole minutes.  0 for a value
// outside the time range.
double LocalOffset(double t);
double LocalTime(double t);
// The instant of a local time.  A local time that occurs twice (when clocks
// go back) is the earlier instant; one that does not occur (when clocks go
// forward) is read with the offset in force before the change.
double UTCFromLocal(double local);
// The name of the zone in force at an instant ("CET", "CEST"); "" when the
// C library gives none.
void ZoneName(double t, char *out, int size);

// The current time, through TimeClip.
double Now();

// Reads a date text (the texts toString and toUTCString make, and the
// other common forms); NaN when the text cannot be read.  Without a zone
// the text is local time.
double ParseDateText(const char *text);

} // namespace js_date

#endif
