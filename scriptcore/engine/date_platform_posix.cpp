// Date's platform layer on POSIX systems: the C library's clock and local
// time.  Locale texts are the short numeric forms of the "C" locale, with a
// four-digit year (its own %x has two).
#include "date_platform.h"

#include <cstring>
#include <ctime>
#include <limits>

double DatePlatformNow()
{
	timespec now{};
	if (clock_gettime(CLOCK_REALTIME, &now) != 0)
		return 0;
	return double(now.tv_sec) * 1000 + double(now.tv_nsec / 1000000);
}

bool DatePlatformConverts(int64_t seconds)
{
	// A 64-bit time_t covers every time value; a 32-bit one only its own range.
	return seconds >= int64_t(std::numeric_limits<time_t>::min()) &&
	       seconds <= int64_t(std::numeric_limits<time_t>::max());
}

bool DatePlatformLocalTime(int64_t seconds, DateLocalInfo *out)
{
	if (!DatePlatformConverts(seconds))
		return false;
	// localtime_r need not look at TZ again; tzset makes a changed zone count.
	tzset();
	time_t t = time_t(seconds);
	tm local{};
	if (!localtime_r(&t, &local))
		return false;
	out->year = int64_t(local.tm_year) + 1900;
	out->month = local.tm_mon;
	out->day = local.tm_mday;
	out->hour = local.tm_hour;
	out->minute = local.tm_min;
	out->second = local.tm_sec;
	if (strftime(out->zone, sizeof out->zone, "%Z", &local) == 0)
		out->zone[0] = 0;
	return true;
}

namespace {

tm BrokenDown(const DateFields &f)
{
	tm t{};
	t.tm_year = f.year - 1900;
	t.tm_mon = f.month - 1;
	t.tm_mday = f.day;
	t.tm_wday = f.weekday;
	t.tm_hour = f.hour;
	t.tm_min = f.minute;
	t.tm_sec = f.second;
	t.tm_isdst = -1;
	return t;
}

size_t Finish(size_t n, char *out, size_t size)
{
	if (n == 0 && size)
		out[0] = 0;
	return n;
}

} // namespace

size_t DatePlatformLocaleDate(const DateFields &f, char *out, size_t size)
{
	tm t = BrokenDown(f);
	return Finish(strftime(out, size, "%m/%d/%Y", &t), out, size);
}

size_t DatePlatformLocaleTime(const DateFields &f, char *out, size_t size)
{
	tm t = BrokenDown(f);
	return Finish(strftime(out, size, "%H:%M:%S", &t), out, size);
}
