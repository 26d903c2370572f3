// The Number constructor, its constants and Number.prototype.
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

#include "builtins.h"
#include "function.h"
#include "native_steps.h"
#include "numtext.h"
#include "wrappers.h"

namespace {

// Number(v): the argument as a number, +0 without one.
int NumberCall(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	if (args->values.Count() == 0)
		return ReturnNumber(cx, self, 0);
	int r = PrepareValues(cx, args, self, "n");
	if (r != 0)
		return r;
	return ReturnValue(cx, self, self->values[0]);
}

int NumberConstruct(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	if (args->values.Count() == 0) {
		self->values.Clear();
		if (!self->values.PushUndefined())
			return RaiseNoMemory(cx, self);
		self->values[0].SetNumber(0);
	} else {
		int r = PrepareValues(cx, args, self, "n");
		if (r != 0)
			return r;
	}
	return ReturnObject(cx, self, MakeWrapper(cx->global, self->values[0]));
}

// The integer part of a finite value in a radix from 2 to 36, exactly: the
// magnitude is taken apart into 32-bit limbs and divided down.  Fractions
// are dropped.  out holds the longest result, 1024 binary digits and a sign.
constexpr int kRadixTextSize = 1100;

int IntegerText(double value, int radix, char *out)
{
	static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
	double magnitude = std::trunc(std::fabs(value));
	int length = 0;
	if (magnitude == 0) {
		out[length++] = '0';
		out[length] = 0;
		return length;
	}
	int exponent;
	double fraction = std::frexp(magnitude, &exponent);   // magnitude = fraction * 2^exponent
	uint64_t mantissa = uint64_t(std::ldexp(fraction, 53));
	int shift = exponent - 53;
	uint32_t limbs[36] = {};
	int count;
	if (shift <= 0) {
		mantissa >>= -shift;   // whole already: the bits shifted out are zero
		limbs[0] = uint32_t(mantissa);
		limbs[1] = uint32_t(mantissa >> 32);
		count = 2;
	} else {
		// shift is at most 1024 - 53, so the value fits 33 limbs.
		int word = shift / 32, bit = shift % 32;
		uint32_t low = uint32_t(mantissa), high = uint32_t(mantissa >> 32);
		limbs[word] = low << bit;
		limbs[word + 1] = bit ? (high << bit) | (low >> (32 - bit)) : high;
		limbs[word + 2] = bit ? high >> (32 - bit) : 0;
		count = word + 3;
	}
	char reversed[kRadixTextSize];
	int n = 0;
	for (;;) {
		while (count > 0 && limbs[count - 1] == 0)
			--count;
		if (count == 0)
			break;
		uint64_t remainder = 0;
		for (int i = count; i-- > 0;) {
			uint64_t part = (remainder << 32) | limbs[i];
			limbs[i] = uint32_t(part / uint64_t(radix));
			remainder = part % uint64_t(radix);
		}
		reversed[n++] = digits[remainder];
	}
	if (value < 0)
		out[length++] = '-';
	while (n > 0)
		out[length++] = reversed[--n];
	out[length] = 0;
	return length;
}

int NumberToStringStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	JS_Object *o = cx->This();
	if (!o || !o->IsNumber())
		return Raise(cx, self, ERROR_TYPE, MSG_NUMBER_TOSTRING);
	double value = o->InternalValue()->u.number;
	// Without a radix, or an undefined one, the ordinary text.
	if (args->values.Count() == 0 || args->values[0].IsUndefined())
		return ReturnString(cx, self, NumberToString(value));
	int r = PrepareValues(cx, args, self, "n");
	if (r != 0)
		return r;
	double radix = ToIntegerValue(self->values[0].u.number);
	if (radix == 10)
		return ReturnString(cx, self, NumberToString(value));
	if (!(radix >= 2 && radix <= 36))
		return RaiseWithReport(cx, self, ERROR_RANGE,
			"Number.prototype.toString: the radix must be from 2 to 36");
	if (!std::isfinite(value))
		return ReturnString(cx, self, NumberToString(value));
	char text[kRadixTextSize];
	int n = IntegerText(value, int(radix), text);
	return ReturnString(cx, self, JS_String::Make(text, size_t(n)));
}

int NumberValueOfStep(ES_Context *cx, JS_Frame *, JS_Frame *self, int)
{
	JS_Object *o = cx->This();
	if (!o || !o->IsNumber())
		return Raise(cx, self, ERROR_TYPE, MSG_NUMBER_VALUEOF);
	return ReturnValue(cx, self, *o->InternalValue());
}

} // namespace

JS_Object *MakeNumberConstructor(JS_Global_Object *global)
{
	JS_Object *f = JS_Builtin_Constructor::Create(global, "Number", NumberConstruct, NumberCall, -1);
	if (!f)
		return nullptr;
	const struct {
		const char *name;
		double value;
	} constants[] = {
		{"MAX_VALUE", DBL_MAX},
		// The smallest positive number, a denormal, as the standard has it.
		{"MIN_VALUE", std::numeric_limits<double>::denorm_min()},
		{"NaN", js_nan},
		{"NEGATIVE_INFINITY", -js_infinity},
		{"POSITIVE_INFINITY", js_infinity},
	};
	for (const auto &c : constants) {
		JS_Name *name = JS_Name::Intern(c.name);
		JS_Value v;
		v.SetNumber(c.value);
		if (!name || static_cast<JS_Native_Object *>(f)->NativePutName(name, v, LIBRARY_CONSTANT) != 0) {
			delete f;
			return nullptr;
		}
	}
	return f;
}

bool InstallNumberPrototypeMethods(JS_Global_Object *global)
{
	static const JS_NativeFunctionDescriptor methods[] = {
		{"toString", NumberToStringStep, 0, -1, PROP_DONT_ENUM},
		{"toLocaleString", NumberToStringStep, 0, -1, PROP_DONT_ENUM},
		{"valueOf", NumberValueOfStep, 0, -1, PROP_DONT_ENUM},
	};
	return InstallNativeFunctions(
		static_cast<JS_Native_Object *>(global->Member(JS_Global_Object::NUMBER_PROTOTYPE)), methods,
		int(sizeof methods / sizeof methods[0]), global);
}

bool IsNumberToString(JS_StepFunction step)
{
	return step == NumberToStringStep;
}
