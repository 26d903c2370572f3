// What Date needs from the platform: the current time, the C library's
// local time of an instant, and the user's locale texts for a date and a
// time.  One implementation per platform (date_platform_posix.cpp,
// date_platform_win32.cpp).
#ifndef SCRIPTCORE_ENGINE_DATE_PLATFORM_H
#define SCRIPTCORE_ENGINE_DATE_PLATFORM_H

#include <cstddef>
#include <cstdint>

// Milliseconds since 1 January 1970 UTC.
double DatePlatformNow();

// The local time of an instant, as the C library's zone rules give it.
struct DateLocalInfo {
	int64_t year;
	int month;   // 0 to 11
	int day;     // 1 to 31
	int hour;
	int minute;
	int second;
	char zone[64];   // the zone's name at that instant, or ""
};

// The instants (seconds since 1970 UTC) the C library can convert.
// Outside them the caller maps the instant into an equivalent year.
bool DatePlatformConverts(int64_t seconds);
// False when the C library cannot convert the instant.
bool DatePlatformLocalTime(int64_t seconds, DateLocalInfo *out);

// A local date and time as the locale texts take it.
struct DateFields {
	int year;
	int month;   // 1 to 12
	int weekday; // 0 Sunday
	int day;
	int hour;
	int minute;
	int second;
	int millisecond;
};

// The user's short date and time texts, NUL-terminated in out; each returns
// the length, or 0 when the platform cannot format the date.
size_t DatePlatformLocaleDate(const DateFields &f, char *out, size_t size);
size_t DatePlatformLocaleTime(const DateFields &f, char *out, size_t size);

#endif
