// The calendar arithmetic of time values.  All divisions that yield days,
// hours, minutes and seconds use floor and every remainder is made
// non-negative, so times before 1970 behave like later ones.
#include "date_calendar.h"

#include <cmath>

#include "value.h"

namespace js_date {

const char *const kMonthNames[12] = {"January", "February", "March", "April", "May", "June", "July",
	"August", "September", "October", "November", "December"};
const char *const kWeekdayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday",
	"Saturday"};

namespace {

// Days before each month, in common and in leap years.
const int kDaysBeforeMonth[2][13] = {
	{0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
	{0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366},
};

// Local times reach a day past the ends of the time range; beyond that no
// year is worked out, so the searches below never see a value they could
// loop on.
constexpr double kCalendarLimit = kMaxTime + 2 * kMsPerDay;

double Modulo(double a, double b)
{
	double r = std::fmod(a, b);
	return r < 0 ? r + b : r;
}

bool InRange(double t)
{
	return std::isfinite(t) && std::fabs(t) <= kCalendarLimit;
}

bool IsLeap(double year)
{
	return DaysInYear(year) == 366;
}

} // namespace

double Day(double t)
{
	return std::floor(t / kMsPerDay);
}

double TimeWithinDay(double t)
{
	return Modulo(t, kMsPerDay);
}

double DaysInYear(double year)
{
	if (Modulo(year, 4) != 0)
		return 365;
	if (Modulo(year, 100) != 0)
		return 366;
	return Modulo(year, 400) == 0 ? 366 : 365;
}

double DayFromYear(double year)
{
	return 365 * (year - 1970) + std::floor((year - 1969) / 4) - std::floor((year - 1901) / 100) +
	       std::floor((year - 1601) / 400);
}

double YearFromTime(double t)
{
	if (!InRange(t))
		return js_nan;
	// The mean Gregorian year puts the estimate within one of the answer.
	double day = Day(t);
	double year = std::floor(day / 365.2425) + 1970;
	while (DayFromYear(year) > day)
		year -= 1;
	while (DayFromYear(year + 1) <= day)
		year += 1;
	return year;
}

double MonthFromTime(double t)
{
	double year = YearFromTime(t);
	if (std::isnan(year))
		return year;
	int within = int(Day(t) - DayFromYear(year));
	const int *before = kDaysBeforeMonth[IsLeap(year)];
	int month = 0;
	while (month < 11 && within >= before[month + 1])
		++month;
	return month;
}

double DateFromTime(double t)
{
	double year = YearFromTime(t);
	if (std::isnan(year))
		return year;
	int within = int(Day(t) - DayFromYear(year));
	const int *before = kDaysBeforeMonth[IsLeap(year)];
	int month = 0;
	while (month < 11 && within >= before[month + 1])
		++month;
	return within - before[month] + 1;
}

double WeekDay(double t)
{
	return Modulo(Day(t) + 4, 7);
}

double HourFromTime(double t)
{
	return Modulo(std::floor(t / kMsPerHour), 24);
}

double MinFromTime(double t)
{
	return Modulo(std::floor(t / kMsPerMinute), 60);
}

double SecFromTime(double t)
{
	return Modulo(std::floor(t / kMsPerSecond), 60);
}

double MsFromTime(double t)
{
	return Modulo(t, kMsPerSecond);
}

double MakeTime(double hour, double min, double sec, double ms)
{
	if (!std::isfinite(hour) || !std::isfinite(min) || !std::isfinite(sec) || !std::isfinite(ms))
		return js_nan;
	return std::trunc(hour) * kMsPerHour + std::trunc(min) * kMsPerMinute + std::trunc(sec) * kMsPerSecond +
	       std::trunc(ms);
}

double MakeDay(double year, double month, double date)
{
	if (!std::isfinite(year) || !std::isfinite(month) || !std::isfinite(date))
		return js_nan;
	year = std::trunc(year);
	month = std::trunc(month);
	date = std::trunc(date);
	double ym = year + std::floor(month / 12);
	// A year this far out lies beyond every time value; stopping here keeps
	// the month index below exact.
	if (std::fabs(ym) > 1e9)
		return js_nan;
	int mn = int(Modulo(month, 12));
	return DayFromYear(ym) + kDaysBeforeMonth[IsLeap(ym)][mn] + date - 1;
}

double MakeDate(double day, double time)
{
	if (!std::isfinite(day) || !std::isfinite(time))
		return js_nan;
	return day * kMsPerDay + time;
}

double TimeClip(double t)
{
	if (!std::isfinite(t) || std::fabs(t) > kMaxTime)
		return js_nan;
	return std::trunc(t) + 0;   // + 0 turns -0 into +0
}

} // namespace js_date
