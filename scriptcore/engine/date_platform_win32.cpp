// Date's platform layer on Windows: the system clock, the C runtime's local
// time, and the user-default locale's date and time formats.
#include "date_platform.h"

#include <windows.h>

#include <climits>
#include <ctime>

double DatePlatformNow()
{
	FILETIME now;
	GetSystemTimeAsFileTime(&now);
	// 100-nanosecond ticks since 1601.
	uint64_t ticks = (uint64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime;
	const uint64_t ticks_to_1970 = 116444736000000000ull;
	if (ticks < ticks_to_1970)
		return 0;
	return double((ticks - ticks_to_1970) / 10000);
}

bool DatePlatformConverts(int64_t seconds)
{
	// The runtime's local time takes neither times before 1970 nor any after
	// the year 3000; a day's margin each side keeps local times in range.
	return seconds >= 86400 && seconds <= 32535129600ll;
}

bool DatePlatformLocalTime(int64_t seconds, DateLocalInfo *out)
{
	if (!DatePlatformConverts(seconds))
		return false;
	// The runtime reads the zone once, as every program's local time does;
	// reading it at each call costs a system call each time.
	static bool zone_read = false;
	if (!zone_read) {
		_tzset();
		zone_read = true;
	}
	__time64_t t = seconds;
	tm *local = _localtime64(&t);
	if (!local)
		return false;
	out->year = int64_t(local->tm_year) + 1900;
	out->month = local->tm_mon;
	out->day = local->tm_mday;
	out->hour = local->tm_hour;
	out->minute = local->tm_min;
	out->second = local->tm_sec;
	if (strftime(out->zone, sizeof out->zone, "%Z", local) == 0)
		out->zone[0] = 0;
	return true;
}

namespace {

// SYSTEMTIME holds the years 1601 to 30827; other dates have no locale text.
bool ToSystemTime(const DateFields &f, SYSTEMTIME *st)
{
	if (f.year < 1601 || f.year > 30827)
		return false;
	st->wYear = WORD(f.year);
	st->wMonth = WORD(f.month);
	st->wDayOfWeek = WORD(f.weekday);
	st->wDay = WORD(f.day);
	st->wHour = WORD(f.hour);
	st->wMinute = WORD(f.minute);
	st->wSecond = WORD(f.second);
	st->wMilliseconds = WORD(f.millisecond);
	return true;
}

size_t Result(int written, char *out, size_t size)
{
	// The count includes the NUL.
	if (written <= 0) {
		if (size)
			out[0] = 0;
		return 0;
	}
	return size_t(written - 1);
}

int Room(size_t size)
{
	return size > size_t(INT_MAX) ? INT_MAX : int(size);
}

} // namespace

size_t DatePlatformLocaleDate(const DateFields &f, char *out, size_t size)
{
	SYSTEMTIME st;
	if (!ToSystemTime(f, &st))
		return Result(0, out, size);
	return Result(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, out, Room(size)), out, size);
}

size_t DatePlatformLocaleTime(const DateFields &f, char *out, size_t size)
{
	SYSTEMTIME st;
	if (!ToSystemTime(f, &st))
		return Result(0, out, size);
	return Result(GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, out, Room(size)), out, size);
}
