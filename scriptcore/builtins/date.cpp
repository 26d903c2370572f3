// The Date constructor with parse and UTC, and the methods of Date.prototype.
#include <cmath>
#include <cstdio>

#include "builtins.h"
#include "date_calendar.h"
#include "date_platform.h"
#include "function.h"
#include "memory.h"
#include "native_steps.h"

using namespace js_date;

namespace {

class JS_Date_Object : public JS_Native_Object {
public:
	JS_Date_Object(JS_Global_Object *owner, double value) : JS_Native_Object(owner, "Date"), time(value) {}
	int IsDate() override { return 1; }

	double time;   // through TimeClip: NaN or an integer within the time range
};

JS_Date_Object *ThisDate(ES_Context *cx)
{
	return dynamic_cast<JS_Date_Object *>(cx->This());
}

JS_Object *NewDateObject(JS_Global_Object *global, double time)
{
	JS_Date_Object *d = JS_New<JS_Date_Object>(global, TimeClip(time));
	if (d)
		d->SetPrototype(global->Member(JS_Global_Object::DATE_PROTOTYPE));
	return d;
}

// ---------------------------------------------------------------------------
// Texts

// Each text, and each half of a locale text, is at most 127 characters.
constexpr int kTextSize = 128;

struct Split {
	int year, month, date, weekday, hour, minute, second, ms;
};

// The fields of a valid time value, or of a local time made from one: all
// are small, so the conversions to int are exact.
Split SplitTime(double t)
{
	return {int(YearFromTime(t)), int(MonthFromTime(t)), int(DateFromTime(t)), int(WeekDay(t)),
		int(HourFromTime(t)), int(MinFromTime(t)), int(SecFromTime(t)), int(MsFromTime(t))};
}

// An offset as hours * 100 + minutes, the form "%+05d" prints: -90 minutes
// is -0130.
int OffsetNumber(double offset)
{
	int minutes = int(offset / kMsPerMinute);
	return minutes / 60 * 100 + minutes % 60;
}

enum TextKind {
	TEXT_STRING = 0,
	TEXT_LOCALE = 1,
	TEXT_UTC = 2,
	TEXT_DATE = 3,
	TEXT_TIME = 4,
	TEXT_LOCALE_DATE = 5,
	TEXT_LOCALE_TIME = 6
};

// The locale's date or time text; where the platform has none for a date
// (Windows formats only the years 1601 to 30827), the numeric form.
void LocaleText(const Split &s, bool date, char *out)
{
	DateFields f{s.year, s.month + 1, s.weekday, s.date, s.hour, s.minute, s.second, s.ms};
	size_t n = date ? DatePlatformLocaleDate(f, out, kTextSize) : DatePlatformLocaleTime(f, out, kTextSize);
	if (n > 0)
		return;
	if (date)
		std::snprintf(out, kTextSize, "%02d/%02d/%04d", s.month + 1, s.date, s.year);
	else
		std::snprintf(out, kTextSize, "%02d:%02d:%02d", s.hour, s.minute, s.second);
}

// The text of a time value; null when memory runs out.
JS_String *DateText(double t, int kind)
{
	if (std::isnan(t))
		return JS_String::Make("Invalid Date");
	char text[kTextSize];
	if (kind == TEXT_UTC) {
		Split u = SplitTime(t);
		std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT", kWeekdayNames[u.weekday],
			u.date, kMonthNames[u.month], u.year, u.hour, u.minute, u.second);
		return JS_String::Make(text);
	}
	double offset = LocalOffset(t);
	Split s = SplitTime(t + offset);
	char zone[64];
	switch (kind) {
	case TEXT_STRING:
		ZoneName(t, zone, int(sizeof zone));
		std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT%+05d (%s)",
			kWeekdayNames[s.weekday], s.date, kMonthNames[s.month], s.year, s.hour, s.minute, s.second,
			OffsetNumber(offset), zone);
		break;
	case TEXT_DATE:
		std::snprintf(text, sizeof text, "%s, %02d %s %04d", kWeekdayNames[s.weekday], s.date,
			kMonthNames[s.month], s.year);
		break;
	case TEXT_TIME:
		ZoneName(t, zone, int(sizeof zone));
		std::snprintf(text, sizeof text, "%02d:%02d:%02d GMT%+05d (%s)", s.hour, s.minute, s.second,
			OffsetNumber(offset), zone);
		break;
	case TEXT_LOCALE_DATE:
	case TEXT_LOCALE_TIME:
		LocaleText(s, kind == TEXT_LOCALE_DATE, text);
		break;
	default: {
		char time[kTextSize];
		LocaleText(s, true, text);
		LocaleText(s, false, time);
		JS_String *both = JS_String::Make(text);
		if (both && !(both->Append(" ") && both->Append(time))) {
			JS_String::Free(both);
			both = nullptr;
		}
		return both;
	}
	}
	return JS_String::Make(text);
}

// ---------------------------------------------------------------------------
// The constructor, parse and UTC

// A year from 0 to 99 means 1900 to 1999.
double FullYear(double year)
{
	if (std::isnan(year))
		return year;
	double y = std::trunc(year);
	return y >= 0 && y <= 99 ? 1900 + y : year;
}

// The time of (year, month[, date[, hours[, minutes[, seconds[, ms]]]]]),
// converted into the own vector, with the defaults for missing ones.
double TimeFromFields(const JS_Frame *self, uint32_t argc)
{
	double v[7] = {js_nan, js_nan, 1, 0, 0, 0, 0};
	for (uint32_t i = 0; i < 7 && i < argc; ++i)
		v[i] = self->values[i].u.number;
	return MakeDate(MakeDay(FullYear(v[0]), v[1], v[2]), MakeTime(v[3], v[4], v[5], v[6]));
}

int DateConstruct(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	uint32_t argc = args->values.Count();
	if (argc == 0)
		return ReturnObject(cx, self, NewDateObject(cx->global, Now()));
	if (argc >= 2) {
		int r = PrepareValues(cx, args, self, "nnnnnnn");
		if (r != 0)
			return r;
		double local = TimeFromFields(self, argc);
		return ReturnObject(cx, self, NewDateObject(cx->global, UTCFromLocal(local)));
	}
	// One value: a primitive by hint Number (a Date object gives its time);
	// a string is a date text, anything else a number.
	if (self->step == 0) {
		self->values.Clear();
		if (!self->values.Push(args->values[0]))
			return RaiseNoMemory(cx, self);
		if (self->values[0].IsObject()) {
			if (!cx->PushConversion(FRAME_TO_PRIMITIVE_NUMBER, 0))
				return RaiseNoMemory(cx, self);
			return 1;
		}
	} else if (self->child_code == COMPLETION_THROW) {
		return COMPLETION_THROW;
	}
	const JS_Value &v = self->values.Top();
	double t = v.IsString() ? ParseDateText(v.u.string->Text()) : ToNumber(v);
	return ReturnObject(cx, self, NewDateObject(cx->global, t));
}

// Date(...) as a function: the current time as text; the arguments are
// ignored.
int DateCall(ES_Context *cx, JS_Frame *, JS_Frame *self, int)
{
	return ReturnString(cx, self, DateText(Now(), TEXT_STRING));
}

int DateParse(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	int r = PrepareValues(cx, args, self, "s");
	if (r != 0)
		return r;
	return ReturnNumber(cx, self, ParseDateText(self->values[0].u.string->Text()));
}

// Without a month there is no date to make: NaN.
int DateUTC(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	int r = PrepareValues(cx, args, self, "nnnnnnn");
	if (r != 0)
		return r;
	uint32_t argc = args->values.Count();
	return ReturnNumber(cx, self, argc < 2 ? js_nan : TimeClip(TimeFromFields(self, argc)));
}

// ---------------------------------------------------------------------------
// Date.prototype

int DateToText(ES_Context *cx, JS_Frame *, JS_Frame *self, int magic)
{
	JS_Date_Object *d = ThisDate(cx);
	if (!d)
		return Raise(cx, self, ERROR_TYPE, MSG_DATE_TOSTRING);
	return ReturnString(cx, self, DateText(d->time, magic));
}

int DateValueOf(ES_Context *cx, JS_Frame *, JS_Frame *self, int)
{
	JS_Date_Object *d = ThisDate(cx);
	if (!d)
		return Raise(cx, self, ERROR_TYPE, MSG_DATE_VALUEOF);
	return ReturnNumber(cx, self, d->time);
}

// getTime, getYear, then each field in its local and UTC form, then
// getTimezoneOffset: magic numbers 0 to 18.
int DateGet(ES_Context *cx, JS_Frame *, JS_Frame *self, int magic)
{
	JS_Date_Object *d = ThisDate(cx);
	if (!d)
		return Raise(cx, self, ERROR_TYPE, MSG_DATE_GET);
	double t = d->time;
	if (std::isnan(t) || magic == 0)
		return ReturnNumber(cx, self, t);
	double local = LocalTime(t);
	// Odd magic numbers from 3 to 17 are the UTC forms.
	double u = magic >= 2 && magic <= 17 && (magic & 1) ? t : local;
	double result;
	switch (magic) {
	case 1:
		result = YearFromTime(local) - 1900;
		break;
	case 2:
	case 3:
		result = YearFromTime(u);
		break;
	case 4:
	case 5:
		result = MonthFromTime(u);
		break;
	case 6:
	case 7:
		result = DateFromTime(u);
		break;
	case 8:
	case 9:
		result = WeekDay(u);
		break;
	case 10:
	case 11:
		result = HourFromTime(u);
		break;
	case 12:
	case 13:
		result = MinFromTime(u);
		break;
	case 14:
	case 15:
		result = SecFromTime(u);
		break;
	case 16:
	case 17:
		result = MsFromTime(u);
		break;
	default:
		result = (t - local) / kMsPerMinute;
		break;
	}
	return ReturnNumber(cx, self, result);
}

int Store(ES_Context *cx, JS_Frame *self, JS_Date_Object *d, double t)
{
	d->time = TimeClip(t);
	return ReturnNumber(cx, self, d->time);
}

// setTime (magic 0) and setYear (magic 1).
int DateSetTimeOrYear(ES_Context *cx, JS_Frame *args, JS_Frame *self, int magic)
{
	JS_Date_Object *d = ThisDate(cx);
	if (!d)
		return Raise(cx, self, ERROR_TYPE, MSG_DATE_SET);
	int r = PrepareValues(cx, args, self, "n");
	if (r != 0)
		return r;
	double v = self->values[0].u.number;
	if (magic == 0)
		return Store(cx, self, d, v);
	double t = std::isnan(d->time) ? 0 : LocalTime(d->time);
	double day = MakeDay(FullYear(v), MonthFromTime(t), DateFromTime(t));
	return Store(cx, self, d, UTCFromLocal(MakeDate(day, TimeWithinDay(t))));
}

const char *const kPlans[] = {"", "n", "nn", "nnn", "nnnn"};

// setMilliseconds to setUTCHours: bit 0 of the magic number is UTC, the rest
// the level (0 milliseconds, 1 seconds, 2 minutes, 3 hours).  Arguments are
// converted before the object is checked.
int DateSetTimeField(ES_Context *cx, JS_Frame *args, JS_Frame *self, int magic)
{
	bool utc = magic & 1;
	int level = magic >> 1;
	uint32_t count = args->values.Count() < uint32_t(level + 1) ? args->values.Count() : uint32_t(level + 1);
	int r = PrepareValues(cx, args, self, kPlans[count]);
	if (r != 0)
		return r;
	JS_Date_Object *d = ThisDate(cx);
	if (!d)
		return Raise(cx, self, ERROR_TYPE, MSG_DATE_SET);
	if (std::isnan(d->time))
		return ReturnNumber(cx, self, d->time);
	double t = utc ? d->time : LocalTime(d->time);
	// Hours, minutes, seconds, milliseconds; the arguments replace them from
	// the method's own field on.
	double f[4] = {HourFromTime(t), MinFromTime(t), SecFromTime(t), MsFromTime(t)};
	for (uint32_t i = 0; i < count; ++i)
		f[3 - level + int(i)] = self->values[i].u.number;
	double nt = MakeDate(Day(t), MakeTime(f[0], f[1], f[2], f[3]));
	return Store(cx, self, d, utc ? nt : UTCFromLocal(nt));
}

// setDate to setUTCFullYear: bit 0 UTC, the rest the level (0 date, 1 month,
// 2 year).  setFullYear on an invalid date starts from +0, as the standard
// has it, so that a year can make a date valid again.
int DateSetDateField(ES_Context *cx, JS_Frame *args, JS_Frame *self, int magic)
{
	bool utc = magic & 1;
	int level = magic >> 1;
	uint32_t count = args->values.Count() < uint32_t(level + 1) ? args->values.Count() : uint32_t(level + 1);
	int r = PrepareValues(cx, args, self, kPlans[count]);
	if (r != 0)
		return r;
	JS_Date_Object *d = ThisDate(cx);
	if (!d)
		return Raise(cx, self, ERROR_TYPE, MSG_DATE_SET);
	double t;
	if (std::isnan(d->time)) {
		if (level != 2)
			return ReturnNumber(cx, self, d->time);
		t = 0;
	} else {
		t = utc ? d->time : LocalTime(d->time);
	}
	// Year, month, date.
	double f[3] = {YearFromTime(t), MonthFromTime(t), DateFromTime(t)};
	for (uint32_t i = 0; i < count; ++i)
		f[2 - level + int(i)] = self->values[i].u.number;
	double nt = MakeDate(MakeDay(f[0], f[1], f[2]), TimeWithinDay(t));
	return Store(cx, self, d, utc ? nt : UTCFromLocal(nt));
}

} // namespace

JS_Object *MakeDatePrototype(JS_Global_Object *global)
{
	return JS_New<JS_Date_Object>(global, js_nan);
}

JS_Object *MakeDateConstructor(JS_Global_Object *global)
{
	JS_Builtin_Constructor *f = JS_Builtin_Constructor::Create(global, "Date", DateConstruct, DateCall, -1);
	if (!f)
		return nullptr;
	static const JS_NativeFunctionDescriptor functions[] = {
		{"parse", DateParse, 1, 0, PROP_DONT_ENUM},
		{"UTC", DateUTC, 7, 1, PROP_DONT_ENUM},
	};
	if (!InstallNativeFunctions(f, functions, int(sizeof functions / sizeof functions[0]), global)) {
		delete f;
		return nullptr;
	}
	return f;
}

bool InstallDatePrototypeMethods(JS_Global_Object *global)
{
	static const JS_NativeFunctionDescriptor methods[] = {
		{"toString", DateToText, 0, TEXT_STRING, PROP_DONT_ENUM},
		{"valueOf", DateValueOf, 0, 1, PROP_DONT_ENUM},
		{"getTime", DateGet, 0, 0, PROP_DONT_ENUM},
		{"getYear", DateGet, 0, 1, PROP_DONT_ENUM},
		{"getFullYear", DateGet, 0, 2, PROP_DONT_ENUM},
		{"getUTCFullYear", DateGet, 0, 3, PROP_DONT_ENUM},
		{"getMonth", DateGet, 0, 4, PROP_DONT_ENUM},
		{"getUTCMonth", DateGet, 0, 5, PROP_DONT_ENUM},
		{"getDate", DateGet, 0, 6, PROP_DONT_ENUM},
		{"getUTCDate", DateGet, 0, 7, PROP_DONT_ENUM},
		{"getDay", DateGet, 0, 8, PROP_DONT_ENUM},
		{"getUTCDay", DateGet, 0, 9, PROP_DONT_ENUM},
		{"getHours", DateGet, 0, 10, PROP_DONT_ENUM},
		{"getUTCHours", DateGet, 0, 11, PROP_DONT_ENUM},
		{"getMinutes", DateGet, 0, 12, PROP_DONT_ENUM},
		{"getUTCMinutes", DateGet, 0, 13, PROP_DONT_ENUM},
		{"getSeconds", DateGet, 0, 14, PROP_DONT_ENUM},
		{"getUTCSeconds", DateGet, 0, 15, PROP_DONT_ENUM},
		{"getMilliseconds", DateGet, 0, 16, PROP_DONT_ENUM},
		{"getUTCMilliseconds", DateGet, 0, 17, PROP_DONT_ENUM},
		{"getTimezoneOffset", DateGet, 0, 18, PROP_DONT_ENUM},
		{"setTime", DateSetTimeOrYear, 1, 0, PROP_DONT_ENUM},
		{"setYear", DateSetTimeOrYear, 1, 1, PROP_DONT_ENUM},
		{"setMilliseconds", DateSetTimeField, 1, 0, PROP_DONT_ENUM},
		{"setUTCMilliseconds", DateSetTimeField, 1, 1, PROP_DONT_ENUM},
		{"setSeconds", DateSetTimeField, 2, 2, PROP_DONT_ENUM},
		{"setUTCSeconds", DateSetTimeField, 2, 3, PROP_DONT_ENUM},
		{"setMinutes", DateSetTimeField, 3, 4, PROP_DONT_ENUM},
		{"setUTCMinutes", DateSetTimeField, 3, 5, PROP_DONT_ENUM},
		{"setHours", DateSetTimeField, 4, 6, PROP_DONT_ENUM},
		{"setUTCHours", DateSetTimeField, 4, 7, PROP_DONT_ENUM},
		{"setDate", DateSetDateField, 1, 0, PROP_DONT_ENUM},
		{"setUTCDate", DateSetDateField, 1, 1, PROP_DONT_ENUM},
		{"setMonth", DateSetDateField, 2, 2, PROP_DONT_ENUM},
		{"setUTCMonth", DateSetDateField, 2, 3, PROP_DONT_ENUM},
		{"setFullYear", DateSetDateField, 3, 4, PROP_DONT_ENUM},
		{"setUTCFullYear", DateSetDateField, 3, 5, PROP_DONT_ENUM},
		{"toLocaleString", DateToText, 0, TEXT_LOCALE, PROP_DONT_ENUM},
		{"toUTCString", DateToText, 0, TEXT_UTC, PROP_DONT_ENUM},
		{"toGMTString", DateToText, 0, TEXT_UTC, PROP_DONT_ENUM},
		{"toDateString", DateToText, 0, TEXT_DATE, PROP_DONT_ENUM},
		{"toTimeString", DateToText, 0, TEXT_TIME, PROP_DONT_ENUM},
		{"toLocaleDateString", DateToText, 0, TEXT_LOCALE_DATE, PROP_DONT_ENUM},
		{"toLocaleTimeString", DateToText, 0, TEXT_LOCALE_TIME, PROP_DONT_ENUM},
	};
	return InstallNativeFunctions(
		static_cast<JS_Native_Object *>(global->Member(JS_Global_Object::DATE_PROTOTYPE)), methods,
		int(sizeof methods / sizeof methods[0]), global);
}
