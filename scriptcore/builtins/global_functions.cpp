// The global functions parseInt, parseFloat, escape, unescape, isNaN and
// isFinite (eval has a file of its own).  Each first brings its arguments
// into its own value vector as primitives, running script valueOf/toString
// through conversion steps when an argument is an object.
#include <cmath>
#include <cstring>

#include "builtins.h"
#include "errors.h"
#include "function.h"

namespace {

constexpr int kFailed = COMPLETION_THROW;

// Appends argument `arg` (undefined when absent) to the own vector.  For an
// object it also pushes a conversion step of `kind` on it and returns the
// step to resume at; -1 when the value is ready as it is.
int Fetch(ES_Context *cx, JS_Frame *args, JS_Frame *self, uint32_t arg, int kind, int resume)
{
	JS_Value v;
	if (arg < args->values.Count())
		v = args->values[arg];
	uint32_t slot = self->values.Count();
	if (!self->values.Push(v))
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	if (!v.IsObject())
		return -1;
	if (!cx->PushConversion(kind, slot))
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	return resume;
}

// After a conversion step: its result (the newest value) replaces the
// value it converted.  False when the step threw.
bool TakeConverted(JS_Frame *self)
{
	if (self->child_code == COMPLETION_THROW)
		return false;
	JS_Value converted = self->values.Top();
	self->values.Pop();
	self->values.Top() = converted;
	return true;
}

int ReturnNumber(ES_Context *cx, JS_Frame *self, double d)
{
	JS_Value v;
	v.SetNumber(d);
	if (!self->values.Push(v))
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	return COMPLETION_RETURN;
}

int ReturnString(ES_Context *cx, JS_Frame *self, JS_String *s)
{
	if (!s)
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	JS_Value v;
	v.SetString(s);
	if (!self->values.Push(v))
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	return COMPLETION_RETURN;
}

int DigitValue(char c)
{
	if (c >= '0' && c <= '9')
		return c - '0';
	if (c >= 'a' && c <= 'z')
		return c - 'a' + 10;
	if (c >= 'A' && c <= 'Z')
		return c - 'A' + 10;
	return 99;
}

double ParseInt(const JS_String *text, bool has_radix, double radix_number)
{
	const char *p = text->Text(), *end = p + text->length;
	while (p < end && ((*p >= 9 && *p <= 13) || *p == ' '))
		++p;
	double sign = 1;
	if (p < end && (*p == '-' || *p == '+')) {
		if (*p == '-')
			sign = -1;
		++p;
	}
	// A radix that is NaN or infinite is no radix from 2 to 36: the result
	// is NaN.  It is checked as a double, never converted to an integer.
	if (has_radix && !std::isfinite(radix_number))
		return js_nan;
	double r = has_radix ? std::trunc(radix_number) : 0;
	int radix;
	bool hex_prefix = end - p >= 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X');
	if (r == 0) {
		if (hex_prefix) {
			radix = 16;
			p += 2;
		} else {
			radix = p < end && *p == '0' ? 8 : 10;
		}
	} else if (r >= 2 && r <= 36) {
		radix = int(r);
		if (radix == 16 && hex_prefix)
			p += 2;
	} else {
		return js_nan;
	}
	double value = 0;
	bool any = false;
	for (; p < end; ++p) {
		int digit = DigitValue(*p);
		if (digit >= radix)
			break;
		value = value * radix + digit;
		any = true;
	}
	return any ? sign * value : js_nan;
}

int ParseIntStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	int r;
	switch (self->step) {
	case 0:
		self->values.Clear();
		if ((r = Fetch(cx, args, self, 0, FRAME_TO_PRIMITIVE_NUMBER, 1)) != -1)
			return r;
		goto text_ready;
	case 1:
		if (!TakeConverted(self))
			return kFailed;
	text_ready:
		if (!ToStringInPlace(&self->values[0]))
			return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
		if (args->values.Count() < 2)
			return ReturnNumber(cx, self, ParseInt(self->values[0].u.string, false, 0));
		if ((r = Fetch(cx, args, self, 1, FRAME_TO_PRIMITIVE_NUMBER, 2)) != -1)
			return r;
		break;
	default:
		if (!TakeConverted(self))
			return kFailed;
		break;
	}
	return ReturnNumber(cx, self, ParseInt(self->values[0].u.string, true, ToNumber(self->values[1])));
}

// The functions that take one argument as a string: the argument converted,
// or null with the result to complete with in *r.
JS_String *StringArgument(ES_Context *cx, JS_Frame *args, JS_Frame *self, int *r)
{
	if (self->step == 0) {
		self->values.Clear();
		*r = Fetch(cx, args, self, 0, FRAME_TO_STRING, 1);
		if (*r != -1)
			return nullptr;
	} else if (!TakeConverted(self)) {
		*r = kFailed;
		return nullptr;
	}
	if (!ToStringInPlace(&self->values[0])) {
		*r = Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
		return nullptr;
	}
	return self->values[0].u.string;
}

int ParseFloatStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	int r;
	JS_String *text = StringArgument(cx, args, self, &r);
	if (!text)
		return r;
	return ReturnNumber(cx, self, StringToNumber(text->Text(), text->length, false));
}

bool IsUnescaped(unsigned char c)
{
	return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
	       (c && std::strchr("@*_+-./", c));
}

int EscapeStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	int r;
	JS_String *text = StringArgument(cx, args, self, &r);
	if (!text)
		return r;
	static const char hex[] = "0123456789ABCDEF";
	JS_String *out = JS_String::Make("");
	if (!out)
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	const unsigned char *p = reinterpret_cast<const unsigned char *>(text->Text());
	bool ok = true;
	for (uint32_t i = 0; ok && i < text->length; ++i) {
		if (IsUnescaped(p[i])) {
			ok = out->AppendByte(char(p[i]));
		} else {
			char e[3] = {'%', hex[p[i] >> 4], hex[p[i] & 15]};
			ok = out->Append(e, 3);
		}
	}
	if (!ok) {
		JS_String::Free(out);
		return Raise(cx, self, ERROR_RANGE, MSG_IMPLEMENTATION);
	}
	return ReturnString(cx, self, out);
}

int HexValue(char c)
{
	int d = DigitValue(c);
	return d < 16 ? d : -1;
}

int UnescapeStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	int r;
	JS_String *text = StringArgument(cx, args, self, &r);
	if (!text)
		return r;
	JS_String *out = JS_String::Make("");
	if (!out)
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	// The walk ends at the first zero byte.
	const char *p = text->Text();
	size_t n = std::strlen(p);
	bool ok = true;
	for (size_t i = 0; ok && i < n;) {
		if (p[i] == '%' && i + 5 < n && p[i + 1] == 'u' && HexValue(p[i + 2]) >= 0 &&
		    HexValue(p[i + 3]) >= 0 && HexValue(p[i + 4]) >= 0 && HexValue(p[i + 5]) >= 0) {
			ok = out->AppendByte(char(HexValue(p[i + 4]) * 16 + HexValue(p[i + 5])));
			i += 6;
		} else if (p[i] == '%' && i + 2 < n && HexValue(p[i + 1]) >= 0 && HexValue(p[i + 2]) >= 0) {
			ok = out->AppendByte(char(HexValue(p[i + 1]) * 16 + HexValue(p[i + 2])));
			i += 3;
		} else {
			ok = out->AppendByte(p[i]);
			++i;
		}
	}
	if (!ok) {
		JS_String::Free(out);
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	}
	return ReturnString(cx, self, out);
}

int NumberTestStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, bool finite)
{
	if (self->step == 0) {
		self->values.Clear();
		int r = Fetch(cx, args, self, 0, FRAME_TO_PRIMITIVE_NUMBER, 1);
		if (r != -1)
			return r;
	} else if (!TakeConverted(self)) {
		return kFailed;
	}
	double d = ToNumber(self->values[0]);
	JS_Value v;
	v.SetBoolean(finite ? std::isfinite(d) : std::isnan(d));
	if (!self->values.Push(v))
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	return COMPLETION_RETURN;
}

int IsNaNStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	return NumberTestStep(cx, args, self, false);
}

int IsFiniteStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	return NumberTestStep(cx, args, self, true);
}

} // namespace

bool InstallGlobalFunctions(JS_Global_Object *global)
{
	static const JS_NativeFunctionDescriptor functions[] = {
		{"eval", GlobalEvalStep, 1, 0, PROP_DONT_ENUM},
		{"parseInt", ParseIntStep, 2, 0, PROP_DONT_ENUM},
		{"parseFloat", ParseFloatStep, 1, 0, PROP_DONT_ENUM},
		{"escape", EscapeStep, 1, 0, PROP_DONT_ENUM},
		{"unescape", UnescapeStep, 1, 0, PROP_DONT_ENUM},
		{"isNaN", IsNaNStep, 1, 0, PROP_DONT_ENUM},
		{"isFinite", IsFiniteStep, 1, 0, PROP_DONT_ENUM},
	};
	return InstallNativeFunctions(global, functions, int(sizeof functions / sizeof functions[0]), global);
}
