// The Math object: its constants and functions.
#include <cmath>
#include <cstdint>

#include "builtins.h"
#include "function.h"
#include "native_steps.h"

namespace {

// Rounds half-way cases toward +Infinity; a negative number that rounds to
// zero gives -0.  x - floor(x) is exact for every x below 2^52 in size, so no
// sum like x + 0.5 can round a value such as 0.49999999999999994 up.
double RoundHalfUp(double x)
{
	if (!std::isfinite(x) || x == 0 || std::fabs(x) >= 4503599627370496.0)
		return x;
	double low = std::floor(x);
	double r = x - low >= 0.5 ? low + 1 : low;
	return r == 0 && x < 0 ? -0.0 : r;
}

double Unary(int magic, double x)
{
	switch (magic) {
	case 0:
		return std::fabs(x);
	case 1:
		return std::acos(x);
	case 2:
		return std::asin(x);
	case 3:
		return std::atan(x);
	case 4:
		return std::ceil(x);
	case 5:
		return std::cos(x);
	case 6:
		return std::exp(x);
	case 7:
		return std::floor(x);
	case 8:
		return std::log(x);
	case 9:
		return RoundHalfUp(x);
	case 10:
		return std::sin(x);
	case 11:
		return std::sqrt(x);
	case 12:
		return std::tan(x);
	default:
		return js_nan;
	}
}

int UnaryStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int magic)
{
	if (args->values.Count() == 0)
		return ReturnNumber(cx, self, js_nan);
	int r = PrepareValues(cx, args, self, "n");
	if (r != 0)
		return r;
	return ReturnNumber(cx, self, Unary(magic, self->values[0].u.number));
}

// pow as the standard has it where C differs: a NaN exponent gives NaN, and
// so does 1 or -1 to an infinite power.
double Power(double x, double y)
{
	if (std::isnan(y))
		return js_nan;
	if (std::isinf(y) && std::fabs(x) == 1)
		return js_nan;
	return std::pow(x, y);
}

int BinaryStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int magic)
{
	if (args->values.Count() < 2)
		return ReturnNumber(cx, self, js_nan);
	int r = PrepareValues(cx, args, self, "nn");
	if (r != 0)
		return r;
	double a = self->values[0].u.number, b = self->values[1].u.number;
	return ReturnNumber(cx, self, magic == 0 ? std::atan2(a, b) : Power(a, b));
}

// max (magic 0) and min (magic 1).  Every argument is converted, in order;
// a NaN anywhere gives NaN, and +0 counts as greater than -0.
int ExtremumStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int magic)
{
	int r = PrepareValues(cx, args, self, "n*");
	if (r != 0)
		return r;
	uint32_t n = self->values.Count();
	double result = magic == 0 ? -js_infinity : js_infinity;
	for (uint32_t i = 0; i < n; ++i) {
		double d = self->values[i].u.number;
		if (std::isnan(d))
			return ReturnNumber(cx, self, js_nan);
		bool better;
		if (d == result && d == 0)
			better = magic == 0 ? !std::signbit(d) : std::signbit(d);
		else
			better = magic == 0 ? d > result : d < result;
		if (i == 0 || better)
			result = d;
	}
	return ReturnNumber(cx, self, result);
}

// The same sequence in every process, starting from 1.
uint32_t random_state = 1;

int RandomStep(ES_Context *cx, JS_Frame *, JS_Frame *self, int)
{
	random_state = random_state * 214013u + 2531011u;
	uint32_t r = (random_state >> 16) & 0x7fff;
	// Divided by 32768, not 32767, so that the result stays below 1.
	return ReturnNumber(cx, self, double(r) / 32768.0);
}

} // namespace

bool InstallMath(JS_Global_Object *global)
{
	auto *math = static_cast<JS_Native_Object *>(global->Member(JS_Global_Object::MATH_OBJECT));
	const struct {
		const char *name;
		double value;
	} constants[] = {
		{"E", 2.718281828459045},
		{"LN10", 2.302585092994046},
		{"LN2", 0.6931471805599453},
		{"LOG2E", 1.4426950408889634},
		{"LOG10E", 0.4342944819032518},
		{"PI", 3.141592653589793},
		{"SQRT2", 1.4142135623730951},
		{"SQRT1_2", 0.7071067811865476},
	};
	for (const auto &c : constants) {
		JS_Name *name = JS_Name::Intern(c.name);
		JS_Value v;
		v.SetNumber(c.value);
		if (!name || math->NativePutName(name, v, LIBRARY_CONSTANT) != 0)
			return false;
	}
	static const JS_NativeFunctionDescriptor functions[] = {
		{"abs", UnaryStep, 1, 0, PROP_DONT_ENUM},
		{"acos", UnaryStep, 1, 1, PROP_DONT_ENUM},
		{"asin", UnaryStep, 1, 2, PROP_DONT_ENUM},
		{"atan", UnaryStep, 1, 3, PROP_DONT_ENUM},
		{"atan2", BinaryStep, 2, 0, PROP_DONT_ENUM},
		{"ceil", UnaryStep, 1, 4, PROP_DONT_ENUM},
		{"cos", UnaryStep, 1, 5, PROP_DONT_ENUM},
		{"exp", UnaryStep, 1, 6, PROP_DONT_ENUM},
		{"floor", UnaryStep, 1, 7, PROP_DONT_ENUM},
		{"log", UnaryStep, 1, 8, PROP_DONT_ENUM},
		{"max", ExtremumStep, 2, 0, PROP_DONT_ENUM},
		{"min", ExtremumStep, 2, 1, PROP_DONT_ENUM},
		{"pow", BinaryStep, 2, 1, PROP_DONT_ENUM},
		{"random", RandomStep, 0, -1, PROP_DONT_ENUM},
		{"round", UnaryStep, 1, 9, PROP_DONT_ENUM},
		{"sin", UnaryStep, 1, 10, PROP_DONT_ENUM},
		{"sqrt", UnaryStep, 1, 11, PROP_DONT_ENUM},
		{"tan", UnaryStep, 1, 12, PROP_DONT_ENUM},
	};
	return InstallNativeFunctions(math, functions, int(sizeof functions / sizeof functions[0]), global);
}
