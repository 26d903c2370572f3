// The date-text parser.  It reads the texts that toString and toUTCString
// make ("Thursday, 01 January 1970 01:00:00 GMT+0100 (CET)"), the day-first
// and month-first forms ("1 Jan 1970 10:30", "January 2, 1970 00:00:00"),
// a weekday before either, and the C library's and other browsers' forms
// with the time before the year ("Thu Jan  1 00:00:00 1970").  A zone after
// the time ("GMT", "UTC", "+0100", "GMT-0130", the North American names)
// places the text; without one it is local time.  A text that lacks a
// readable date or month gives NaN.
#include <cmath>
#include <cstring>

#include "date_calendar.h"
#include "value.h"

namespace js_date {

namespace {

bool IsSpace(char c)
{
	return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool IsDigit(char c)
{
	return c >= '0' && c <= '9';
}

bool IsLetter(char c)
{
	return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c)
{
	return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Whether the n characters at p equal the start of word, ignoring case.
bool MatchesNoCase(const char *p, size_t n, const char *word)
{
	if (std::strlen(word) < n)
		return false;
	for (size_t i = 0; i < n; ++i)
		if (Lower(p[i]) != Lower(word[i]))
			return false;
	return true;
}

class Reader {
public:
	explicit Reader(const char *text) : p_(text) {}

	char Peek() const { return *p_; }
	char PeekAt(size_t i) const
	{
		for (size_t k = 0; k < i; ++k)
			if (!p_[k])
				return 0;
		return p_[i];
	}
	void Advance() { ++p_; }
	void SkipSpaces()
	{
		while (IsSpace(*p_))
			++p_;
	}
	// A run of digits; a double holds any run without overflowing (a huge
	// one becomes infinite and later gives NaN).
	bool Number(double *out, int *digits = nullptr)
	{
		if (!IsDigit(*p_))
			return false;
		double n = 0;
		int count = 0;
		for (; IsDigit(*p_); ++p_, ++count)
			n = n * 10 + (*p_ - '0');
		*out = n;
		if (digits)
			*digits = count;
		return true;
	}
	// A run of letters: its start and length.
	size_t Word(const char **start)
	{
		*start = p_;
		while (IsLetter(*p_))
			++p_;
		return size_t(p_ - *start);
	}
	const char *Here() const { return p_; }
	void Skip(size_t n) { p_ += n; }

private:
	const char *p_;
};

struct Fields {
	double year = 0, month = -1, date = js_nan;
	double hour = 0, minute = 0, second = 0, ms = 0;
	bool has_zone = false;
	double zone_minutes = 0;   // east positive
};

// A date from 1 to 31.
bool ReadDate(Reader &r, Fields *f)
{
	double d;
	if (!r.Number(&d) || d < 1 || d > 31)
		return false;
	f->date = d;
	return true;
}

bool ReadMonth(Reader &r, Fields *f)
{
	const char *word;
	size_t n = r.Word(&word);
	if (n < 3)
		return false;
	for (int m = 0; m < 12; ++m)
		if (MatchesNoCase(word, n, kMonthNames[m])) {
			f->month = m;
			return true;
		}
	return false;
}

// A signed year; a missing one reads as 0, as it always has.
void ReadYear(Reader &r, Fields *f)
{
	double sign = 1;
	if ((r.Peek() == '-' || r.Peek() == '+') && IsDigit(r.PeekAt(1))) {
		sign = r.Peek() == '-' ? -1 : 1;
		r.Advance();
	}
	double y;
	if (r.Number(&y))
		f->year = sign * y;
}

// The rest of "h[:mm[:ss[.fff]]]" after the hours.
void ReadClock(Reader &r, Fields *f)
{
	double *parts[] = {&f->minute, &f->second};
	for (double *part : parts) {
		if (r.Peek() != ':' || !IsDigit(r.PeekAt(1)))
			return;
		r.Advance();
		r.Number(part);
	}
	if (r.Peek() == '.' && IsDigit(r.PeekAt(1))) {
		r.Advance();
		double scale = 100;
		for (; IsDigit(r.Peek()); r.Advance(), scale /= 10)
			f->ms += (r.Peek() - '0') * scale;
		f->ms = std::trunc(f->ms);
	}
}

// "+hhmm", "-hh:mm", "+hh" (and unsigned digits, read as east).
bool ReadNumericZone(Reader &r, Fields *f)
{
	double sign = 1;
	if (r.Peek() == '+' || r.Peek() == '-') {
		if (!IsDigit(r.PeekAt(1)))
			return false;
		sign = r.Peek() == '-' ? -1 : 1;
		r.Advance();
	}
	double n, minutes = 0;
	int digits;
	if (!r.Number(&n, &digits))
		return false;
	double hours = n;
	if (r.Peek() == ':' && IsDigit(r.PeekAt(1))) {
		r.Advance();
		r.Number(&minutes);
	} else if (digits > 2) {
		hours = std::floor(n / 100);
		minutes = n - hours * 100;
	}
	f->has_zone = true;
	f->zone_minutes = sign * (hours * 60 + minutes);
	return true;
}

// Unsigned digits name a zone only where no year may follow.
void ReadZone(Reader &r, Fields *f, bool year_follows)
{
	static const struct {
		const char *name;
		int hours;
	} names[] = {
		{"gmt", 0}, {"utc", 0}, {"ut", 0}, {"z", 0}, {"est", -5}, {"edt", -4}, {"cst", -6}, {"cdt", -5},
		{"mst", -7}, {"mdt", -6}, {"pst", -8}, {"pdt", -7},
	};
	r.SkipSpaces();
	char c = r.Peek();
	if (c == '+' || c == '-' || (IsDigit(c) && !year_follows)) {
		ReadNumericZone(r, f);
		return;
	}
	const char *word;
	size_t n = r.Word(&word);
	for (const auto &z : names) {
		if (std::strlen(z.name) == n && MatchesNoCase(word, n, z.name)) {
			f->has_zone = true;
			f->zone_minutes = z.hours * 60;
			// "GMT+0100": the offset from GMT.
			if (z.hours == 0 && (r.Peek() == '+' || r.Peek() == '-'))
				ReadNumericZone(r, f);
			return;
		}
	}
}

} // namespace

double ParseDateText(const char *text)
{
	Reader r(text ? text : "");
	Fields f;
	r.SkipSpaces();
	bool month_first = !IsDigit(r.Peek());
	if (month_first) {
		for (const char *day : kWeekdayNames) {
			if (!MatchesNoCase(r.Here(), 3, day))
				continue;
			while (r.Peek() && !IsSpace(r.Peek()) && r.Peek() != ',')
				r.Advance();
			while (IsSpace(r.Peek()) || r.Peek() == ',')
				r.Advance();
			month_first = !IsDigit(r.Peek());
			break;
		}
	}
	if (!month_first) {
		if (!ReadDate(r, &f))
			return js_nan;
		r.SkipSpaces();
	}
	if (!ReadMonth(r, &f))
		return js_nan;
	r.SkipSpaces();
	if (month_first) {
		if (!ReadDate(r, &f))
			return js_nan;
		while (r.Peek() && !IsDigit(r.Peek()))
			r.Advance();
	}
	ReadYear(r, &f);
	bool year_follows = false;
	if (r.Peek() == ':') {
		// What looked like the year was the hour: the year comes after the
		// time (and perhaps a zone).
		f.hour = f.year;
		f.year = 0;
		ReadClock(r, &f);
		year_follows = true;
	} else {
		r.SkipSpaces();
		if (IsDigit(r.Peek())) {
			r.Number(&f.hour);
			ReadClock(r, &f);
		}
	}
	ReadZone(r, &f, year_follows);
	if (year_follows) {
		r.SkipSpaces();
		ReadYear(r, &f);
	}
	double local = MakeDate(MakeDay(f.year, f.month, f.date), MakeTime(f.hour, f.minute, f.second, f.ms));
	if (std::isnan(local))
		return local;
	if (!f.has_zone)
		return UTCFromLocal(local);
	// A zone of absurd size must not make an infinite time.
	double t = local - f.zone_minutes * kMsPerMinute;
	return std::isfinite(t) ? t : js_nan;
}

} // namespace js_date
