#include "memory.h"
#include "value.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "context.h"
#include "global.h"
#include "numtext.h"
#include "object.h"
#include "wrappers.h"

static double MakeNaN()
{
	uint64_t bits = 0x7FF8000000000000ull;
	double d;
	std::memcpy(&d, &bits, sizeof d);
	return d;
}

const double js_nan = MakeNaN();
const double js_infinity = std::numeric_limits<double>::infinity();

// ---------------------------------------------------------------------------
// Counting

void JS_Value::TakeCounts() const
{
	switch (tag) {
	case VALUE_STRING:
		u.string->AddRef();
		break;
	case VALUE_OBJECT:
		u.object->AddRef();
		break;
	case VALUE_NAME_REFERENCE:
		if (u.object)
			u.object->AddRef();
		key.name->AddRef();
		break;
	case VALUE_INDEX_REFERENCE:
		if (u.object)
			u.object->AddRef();
		break;
	default:
		break;
	}
}

void JS_Value::ReleaseContents()
{
	switch (tag) {
	case VALUE_STRING:
		u.string->Release();
		break;
	case VALUE_OBJECT:
		u.object->Release();
		break;
	case VALUE_NAME_REFERENCE:
		key.name->Release();
		if (u.object)
			u.object->Release();
		break;
	case VALUE_INDEX_REFERENCE:
		if (u.object)
			u.object->Release();
		break;
	default:
		break;
	}
}

JS_Value &JS_Value::AssignCounted(const JS_Value &other)
{
	other.TakeCounts();
	// Take over what this value held before copying in, so that assigning a
	// value to itself (other is *this) keeps its counts right.
	JS_Value old;
	old.tag = tag;
	old.u = u;
	old.key = key;
	tag = other.tag;
	u = other.u;
	key = other.key;
	return *this;   // old releases what this value held
}

JS_Value &JS_Value::operator=(JS_Value &&other) noexcept
{
	if (this != &other) {
		JS_Value old(std::move(*this));
		tag = other.tag;
		u = other.u;
		key = other.key;
		other.tag = VALUE_UNDEFINED;
	}
	return *this;
}

void JS_Value::SetUndefined()
{
	JS_Value old(std::move(*this));
}

void JS_Value::SetNull()
{
	JS_Value old(std::move(*this));
	tag = VALUE_NULL;
}

void JS_Value::SetBoolean(int b)
{
	JS_Value old(std::move(*this));
	tag = VALUE_BOOLEAN;
	u.boolean = b != 0;
}

void JS_Value::SetNumber(double d)
{
	JS_Value old(std::move(*this));
	tag = VALUE_NUMBER;
	u.number = d;
}

void JS_Value::SetString(JS_String *s)
{
	s->AddRef();
	JS_Value old(std::move(*this));
	tag = VALUE_STRING;
	u.string = s;
}

void JS_Value::SetObject(JS_Object *o)
{
	o->AddRef();
	JS_Value old(std::move(*this));
	tag = VALUE_OBJECT;
	u.object = o;
}

void JS_Value::SetNameReference(JS_Object *base, JS_Name *name)
{
	if (base)
		base->AddRef();
	name->AddRef();
	JS_Value old(std::move(*this));
	tag = VALUE_NAME_REFERENCE;
	u.object = base;
	key.name = name;
}

void JS_Value::SetIndexReference(JS_Object *base, uint32_t index)
{
	if (base)
		base->AddRef();
	JS_Value old(std::move(*this));
	tag = VALUE_INDEX_REFERENCE;
	u.object = base;
	key.index = index;
}

// ---------------------------------------------------------------------------
// Conversions that need no script code

bool ToBoolean(const JS_Value &v)
{
	switch (v.tag) {
	case VALUE_BOOLEAN:
		return v.u.boolean != 0;
	case VALUE_NUMBER:
		return v.u.number != 0 && !std::isnan(v.u.number);
	case VALUE_STRING:
		return v.u.string->length != 0;
	case VALUE_OBJECT:
		return true;
	default:
		return false;
	}
}

double ToNumber(const JS_Value &v)
{
	switch (v.tag) {
	case VALUE_NULL:
		return 0;
	case VALUE_BOOLEAN:
		return v.u.boolean ? 1 : 0;
	case VALUE_NUMBER:
		return v.u.number;
	case VALUE_STRING:
		return StringToNumber(v.u.string->Text(), v.u.string->length, true);
	default:
		return js_nan;
	}
}

JS_String *ToString(const JS_Value &v)
{
	switch (v.tag) {
	case VALUE_UNDEFINED:
		return JS_String::Make("undefined");
	case VALUE_NULL:
		return JS_String::Make("null");
	case VALUE_BOOLEAN:
		return JS_String::Make(v.u.boolean ? "true" : "false");
	case VALUE_NUMBER:
		return NumberToString(v.u.number);
	case VALUE_STRING:
		return v.u.string->Copy();
	default:
		return JS_String::Make("");
	}
}

bool ToNumberInPlace(JS_Value *v)
{
	v->SetNumber(ToNumber(*v));
	return true;
}

bool ToStringInPlace(JS_Value *v)
{
	if (v->tag == VALUE_STRING)
		return true;
	JS_String *s = ToString(*v);
	if (!s)
		return false;
	v->SetString(s);
	return true;
}

bool ToObject(JS_Global_Object *global, const JS_Value &v, JS_Value *out)
{
	JS_Object *o = nullptr;
	switch (v.tag) {
	case VALUE_OBJECT:
		*out = v;
		return true;
	case VALUE_BOOLEAN:
	case VALUE_NUMBER:
	case VALUE_STRING:
		o = MakeWrapper(global, v);
		break;
	default:
		return false;
	}
	if (!o)
		return false;
	out->SetObject(o);
	return true;
}

static bool IsBlank(char c)
{
	return (c >= 9 && c <= 13) || c == ' ';
}

double DigitsToNumber(const char *text, const char *end, int radix, const char **stop)
{
	double value = 0;
	const char *p = text;
	for (; p < end; ++p) {
		int digit;
		char c = *p;
		if (c >= '0' && c <= '9')
			digit = c - '0';
		else if (c >= 'a' && c <= 'z')
			digit = c - 'a' + 10;
		else if (c >= 'A' && c <= 'Z')
			digit = c - 'A' + 10;
		else
			break;
		if (digit >= radix)
			break;
		value = value * radix + digit;
	}
	if (stop)
		*stop = p;
	return value;
}

// The longest prefix of [p, end) that reads as a C decimal floating literal;
// its length, or 0.  strtod would also accept hexadecimal forms, "inf" and
// "nan", which a script number never is, so the prefix is measured here.
static size_t DecimalPrefix(const char *p, const char *end)
{
	const char *q = p;
	size_t digits = 0;
	while (q < end && *q >= '0' && *q <= '9')
		++q, ++digits;
	if (q < end && *q == '.') {
		++q;
		while (q < end && *q >= '0' && *q <= '9')
			++q, ++digits;
	}
	if (digits == 0)
		return 0;
	if (q < end && (*q == 'e' || *q == 'E')) {
		const char *e = q + 1;
		if (e < end && (*e == '+' || *e == '-'))
			++e;
		if (e < end && *e >= '0' && *e <= '9') {
			while (e < end && *e >= '0' && *e <= '9')
				++e;
			q = e;
		}
	}
	return size_t(q - p);
}

// Reads a prefix that DecimalPrefix measured.  std::from_chars reads it
// exactly and, unlike strtod, never looks at the C locale, whose decimal
// point a host may have made a comma.
static double ReadDecimal(const char *p, size_t n)
{
	double d = 0;
	auto [stop, ec] = std::from_chars(p, p + n, d, std::chars_format::general);
	(void)stop;
	if (ec != std::errc::result_out_of_range)
		return d;
	// Too large or too small for a double: the decimal magnitude tells
	// which (digits before the point, or zeros after it, plus exponent).
	const char *q = p, *end = p + n;
	while (q < end && *q == '0')
		++q;
	long long magnitude = 0;
	while (q < end && *q >= '0' && *q <= '9')
		++q, ++magnitude;
	if (magnitude == 0 && q < end && *q == '.') {
		for (++q; q < end && *q == '0'; ++q)
			--magnitude;
	}
	while (q < end && *q != 'e' && *q != 'E')
		++q;
	if (q < end) {
		bool negative = q + 1 < end && q[1] == '-';
		long long exponent = 0;
		for (q += (q + 1 < end && (q[1] == '-' || q[1] == '+')) ? 2 : 1; q < end; ++q)
			if (exponent < 100000000)
				exponent = exponent * 10 + (*q - '0');
		magnitude += negative ? -exponent : exponent;
	}
	return magnitude > 0 ? js_infinity : 0;
}

double StringToNumber(const char *text, uint32_t length, bool strict)
{
	const char *p = text, *end = text + length;
	while (p < end && IsBlank(*p))
		++p;
	bool minus = false;
	if (p < end && (*p == '-' || *p == '+')) {
		minus = *p == '-';
		++p;
		if (p == end)
			return js_nan;
	}
	double magnitude;
	if (end - p >= 8 && std::memcmp(p, "Infinity", 8) == 0) {
		magnitude = js_infinity;
		p += 8;
	} else if (end - p >= 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
		magnitude = DigitsToNumber(p + 2, end, 16, &p);
	} else {
		size_t n = DecimalPrefix(p, end);
		magnitude = n ? ReadDecimal(p, n) : 0;
		if (!n && !strict)
			return js_nan;
		p += n;
	}
	if (strict) {
		while (p < end && IsBlank(*p))
			++p;
		if (p != end)
			return js_nan;
	}
	return minus ? -magnitude : magnitude;
}

JS_String *NumberToString(double d)
{
	char buf[32];
	int n = NumberToText(d, buf);
	return JS_String::Make(buf, size_t(n));
}

int32_t ToInt32(double d)
{
	return int32_t(ToUint32(d));
}

uint32_t ToUint32(double d)
{
	if (std::isnan(d) || std::isinf(d) || std::fabs(d) >= 9223372036854775808.0)
		return 0;
	int64_t i = int64_t(d);   // truncates toward zero
	return uint32_t(uint64_t(i));
}

int StrictEquals(const JS_Value &a, const JS_Value &b)
{
	if (a.tag != b.tag)
		return 0;
	switch (a.tag) {
	case VALUE_UNDEFINED:
	case VALUE_NULL:
		return 1;
	case VALUE_BOOLEAN:
		return (a.u.boolean != 0) == (b.u.boolean != 0);
	case VALUE_NUMBER:
		return a.u.number == b.u.number;
	case VALUE_STRING:
		return a.u.string->Equals(b.u.string);
	case VALUE_OBJECT:
		return a.u.object == b.u.object;
	default:
		return 0;
	}
}

bool IsArrayIndexText(const char *text, uint32_t length, uint32_t *index)
{
	if (length == 0 || length > 10)
		return false;
	if (text[0] == '0' && length > 1)
		return false;
	uint64_t value = 0;
	for (uint32_t i = 0; i < length; ++i) {
		if (text[i] < '0' || text[i] > '9')
			return false;
		value = value * 10 + uint64_t(text[i] - '0');
	}
	// 4294967295 is not an index: an array's length must stay representable.
	if (value >= 4294967295u)
		return false;
	*index = uint32_t(value);
	return true;
}

bool IsArrayIndexNumber(double d, uint32_t *index)
{
	if (!(d >= 0 && d < 4294967295.0))
		return false;
	uint32_t i = uint32_t(d);
	if (double(i) != d)
		return false;
	*index = i;
	return true;
}

int GetValue(ES_Context *cx, const JS_Value &v, JS_Value *out)
{
	switch (v.tag) {
	case VALUE_NAME_REFERENCE:
		if (!v.u.object)
			return 0;
		v.u.object->GetName(cx, v.key.name, out, v.u.object);
		return 1;
	case VALUE_INDEX_REFERENCE:
		if (!v.u.object)
			return 0;
		v.u.object->GetIndex(v.key.index, out, v.u.object);
		return 1;
	default:
		*out = v;
		return 1;
	}
}

int GetValueInPlace(ES_Context *cx, JS_Value *v)
{
	if (!v->IsReference())
		return 1;
	JS_Value result;
	if (!GetValue(cx, *v, &result))
		return 0;
	*v = std::move(result);
	return 1;
}

int PutValue(ES_Context *cx, const JS_Value &ref, const JS_Value &v)
{
	JS_Object *base;
	switch (ref.tag) {
	case VALUE_NAME_REFERENCE:
		base = ref.u.object;
		if (!base) {
			JS_ScopeChain *scope = cx ? cx->Scope() : nullptr;
			base = scope && scope->Count() ? scope->At(0) : cx ? cx->global : nullptr;
			if (!base)
				return 3;
		}
		return base->PutName(cx, ref.key.name, v, base, 0);
	case VALUE_INDEX_REFERENCE:
		if (!ref.u.object)
			return 3;
		return ref.u.object->PutIndex(ref.key.index, v, ref.u.object, 0);
	default:
		return 3;
	}
}

const char *UndefinedVariableText(const JS_Value &ref)
{
	static char buffer[128];
	const char *name = ref.tag == VALUE_NAME_REFERENCE ? ref.key.name->text : "";
	std::snprintf(buffer, sizeof buffer, "No such variable '%s'", name);
	return buffer;
}
