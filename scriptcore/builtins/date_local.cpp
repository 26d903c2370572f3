// Local time: the offset of the zone at each instant, from the C library's
// local-time conversion through the platform layer.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "date_calendar.h"
#include "date_platform.h"
#include "value.h"

namespace js_date {

namespace {

// Local times are asked for up to a day or so past the ends of the time
// range (UTCFromLocal looks a day either side); beyond that there is no
// offset to find.
constexpr double kLocalLimit = kMaxTime + 3 * kMsPerDay;

// An instant in a year the C library can convert whose calendar is the same
// as that of t's year (the same length and the same weekday on 1 January),
// at the same place in the year, as the standard allows for zone lookups.
// Times before the library's range use the years from 1971 on, the oldest
// rules it knows; later ones use recent years and today's rules.  Within
// any 28 consecutive years of 1901 to 2099 every kind of year occurs, so the
// search ends within 28 steps.
double EquivalentInstant(double t)
{
	double year = YearFromTime(t);
	if (std::isnan(year))
		return t;
	double start = DayFromYear(year) * kMsPerDay;
	double length = DaysInYear(year);
	double weekday = WeekDay(start);
	double first = t < 0 ? 1971 : 2009;
	for (double y = first; y < first + 28; ++y) {
		double s = DayFromYear(y) * kMsPerDay;
		if (DaysInYear(y) == length && WeekDay(s) == weekday)
			return s + (t - start);
	}
	return t;
}

bool LocalInfo(double t, DateLocalInfo *info, int64_t *seconds)
{
	if (!std::isfinite(t) || std::fabs(t) > kLocalLimit)
		return false;
	*seconds = int64_t(std::floor(t / kMsPerSecond));
	if (!DatePlatformConverts(*seconds))
		*seconds = int64_t(std::floor(EquivalentInstant(t) / kMsPerSecond));
	return DatePlatformLocalTime(*seconds, info);
}

} // namespace

double LocalOffset(double t)
{
	DateLocalInfo info;
	int64_t seconds;
	if (!LocalInfo(t, &info, &seconds))
		return 0;
	double local = MakeDate(MakeDay(double(info.year), info.month, info.day),
		MakeTime(info.hour, info.minute, info.second, 0));
	double offset = local - double(seconds) * kMsPerSecond;
	if (!(std::fabs(offset) <= kMsPerDay))
		return 0;
	// Old local mean times have offsets in seconds (New York's was -4:56:02);
	// whole minutes keep every local time printable with its offset, so that
	// a printed date reads back to the same instant.
	return std::round(offset / kMsPerMinute) * kMsPerMinute + 0;
}

double LocalTime(double t)
{
	return t + LocalOffset(t);
}

double UTCFromLocal(double local)
{
	if (!std::isfinite(local) || std::fabs(local) > kLocalLimit)
		return local;
	// No zone moves its clocks twice within two days, so the offsets a day
	// either side are those before and after any change near this time.
	double before = LocalOffset(local - kMsPerDay);
	double after = LocalOffset(local + kMsPerDay);
	for (double offset : {std::max(before, after), std::min(before, after)}) {
		double instant = local - offset;
		if (LocalOffset(instant) == offset)
			return instant;
	}
	return local - before;
}

void ZoneName(double t, char *out, int size)
{
	if (size <= 0)
		return;
	out[0] = 0;
	DateLocalInfo info;
	int64_t seconds;
	if (!LocalInfo(t, &info, &seconds))
		return;
	info.zone[sizeof info.zone - 1] = 0;
	size_t n = std::min(std::strlen(info.zone), size_t(size - 1));
	std::memcpy(out, info.zone, n);
	out[n] = 0;
}

double Now()
{
	return TimeClip(DatePlatformNow());
}

} // namespace js_date
