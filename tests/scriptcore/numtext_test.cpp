// Number to text: the fixed cases every engine must agree on, and a large
// random sample that must read back to the very same double.
#include "numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

// A correctly rounded reader: MinGW's default strtod is not always one.
double Read(const char *text)
{
#if defined(__MINGW32__)
	return __mingw_strtod(text, nullptr);
#else
	return std::strtod(text, nullptr);
#endif
}

std::string Text(double v)
{
	char out[NUMBER_TEXT_SIZE];
	std::memset(out, 'X', sizeof out);
	int n = NumberToText(v, out);
	EXPECT_EQ(n, static_cast<int>(std::strlen(out)));
	return std::string(out);
}

double FromBits(uint64_t bits)
{
	double v;
	std::memcpy(&v, &bits, sizeof v);
	return v;
}

struct Case {
	double value;
	const char *text;
};

TEST(NumberToText, KnownValues)
{
	const double inf = std::numeric_limits<double>::infinity();
	const Case cases[] = {
		{std::nan(""), "NaN"},
		{inf, "Infinity"},
		{-inf, "-Infinity"},
		{0.0, "0"},
		{-0.0, "0"},
		{1.0, "1"},
		{-1.5, "-1.5"},
		{100, "100"},
		{123.456, "123.456"},
		{1.0 / 3.0, "0.3333333333333333"},
		{2.0 / 3.0, "0.6666666666666666"},
		{0.1, "0.1"},
		{0.1 + 0.2, "0.30000000000000004"},
		{0.000001, "0.000001"},
		{0.0000015, "0.0000015"},
		{1e-7, "1e-7"},
		{1.5e-7, "1.5e-7"},
		{1e20, "100000000000000000000"},
		{123456789012345680000.0, "123456789012345680000"},
		{1e21, "1e+21"},
		{1.5e21, "1.5e+21"},
		{1e23, "9.999999999999999e+22"},
		{1e22, "1e+22"},
		{9007199254740992.0, "9007199254740992"},
		{9007199254740993.0 * 2, "18014398509481984"},
		{4.35, "4.35"},
		{0.5, "0.5"},
		{5e-324, "5e-324"},
		{-5e-324, "-5e-324"},
		{1e-323, "1e-323"},
		{2.2250738585072014e-308, "2.2250738585072014e-308"},
		{2.225073858507201e-308, "2.225073858507201e-308"},
		{1.7976931348623157e308, "1.7976931348623157e+308"},
		{4294967296.0, "4294967296"},
		{-2147483648.0, "-2147483648"},
		{1.2345678901234567e-300, "1.2345678901234568e-300"},
		{5e-7, "5e-7"},
		{123e-20, "1.23e-18"},
		{0.1e-5, "0.000001"},
		{1.0e15 + 0.5, "1000000000000000.5"},
		{FromBits(0x4340000000000000), "9007199254740992"},   // 2^53
		{FromBits(0x0010000000000000), "2.2250738585072014e-308"},
		{FromBits(0x7FEFFFFFFFFFFFFF), "1.7976931348623157e+308"},
		{FromBits(0x44B52D02C7E14AF7), "1.0000000000000001e+23"},   // just above
	};
	for (const Case &c : cases)
		EXPECT_EQ(Text(c.value), c.text) << "for " << c.text;
}

// Fewest digits of a %e form that reads back to v (under round-half-even),
// and that form in buffer.  No correct shortest conversion uses fewer.
int FewestPrintfDigits(double v, char (&buffer)[64])
{
	for (int p = 1; p <= 17; p++) {
		std::snprintf(buffer, sizeof buffer, "%.*e", p - 1, v);
		if (Read(buffer) == v)
			return p;
	}
	return 17;
}

// A decimal exactly halfway between v and a neighbour reads back as v only
// by the tie rule; the exclusive interval ends refuse it.  Such a midpoint
// has at most 54 significant bits, so long double holds it exactly.
bool IsExactMidpoint(double v, const char *decimal)
{
	long double c = std::strtold(decimal, nullptr);
	long double x = static_cast<long double>(v);
	long double above = static_cast<long double>(std::nextafter(v, HUGE_VAL));
	long double below = static_cast<long double>(std::nextafter(v, 0.0));
	return c == x + (above - x) / 2 || c == x - (x - below) / 2;
}

void CheckReadsBack(double v, bool powerOfTwo = false)
{
	std::string text = Text(v);
	ASSERT_LT(text.size(), static_cast<size_t>(NUMBER_TEXT_SIZE));
	double back = Read(text.c_str());
	uint64_t a, b;
	std::memcpy(&a, &v, sizeof a);
	std::memcpy(&b, &back, sizeof b);
#if defined(__MINGW32__)
	// MinGW's reader rounds the decimals of the double just below a power
	// of two up to that power (Python and glibc read them back exactly), so
	// there those are checked on Linux only.
	if ((a & 0xFFFFFFFFFFFFFull) == 0xFFFFFFFFFFFFFull)
		return;
#endif
	ASSERT_EQ(a, b) << text;

	char digits[NUMBER_TEXT_SIZE];
	int point;
	int k = NumberToDigits(std::fabs(v), digits, &point);
	ASSERT_GE(k, 1);
	ASSERT_LE(k, 17);
	ASSERT_NE(digits[0], '0') << text;
	ASSERT_NE(digits[k - 1], '0') << text;
	// At a power of two the interval is lopsided, and the nearest decimal
	// (all that %e tries) may fall outside it where a farther one is inside.
	if (powerOfTwo)
		return;
	char fewestText[64];
	int fewest = FewestPrintfDigits(std::fabs(v), fewestText);
	ASSERT_GE(k, fewest) << text;
	if (k > fewest) {
		ASSERT_TRUE(IsExactMidpoint(std::fabs(v), fewestText)) << text << " " << fewestText;
	}
}

TEST(NumberToText, RandomBitPatternsReadBack)
{
	std::mt19937_64 random(20261211);
	int checked = 0;
	while (checked < 300000) {
		double v = FromBits(random());
		if (!std::isfinite(v) || v == 0)
			continue;
		CheckReadsBack(v);
		checked++;
	}
}

TEST(NumberToText, EdgesOfEveryBinadeReadBack)
{
	// Powers of two (where the interval below is narrower) and their
	// neighbours, across the whole exponent range including subnormals.
	for (uint64_t exponent = 0; exponent < 2047; exponent++) {
		uint64_t base = exponent << 52;
		for (uint64_t bits : {base, base + 1, base + 2, base - 1, base | uint64_t(0xFFFFFFFFFFFFF)}) {
			double v = FromBits(bits & 0x7FFFFFFFFFFFFFFFull);
			if (std::isfinite(v) && v != 0)
				CheckReadsBack(v, bits == base);
		}
	}
}

TEST(NumberToText, ShortDecimalsComeBackAsWritten)
{
	// Decimals of up to 15 significant digits always read back, so their
	// shortest form is themselves, unless one lies exactly on an end of the
	// interval, which the stopping rule excludes.
	std::mt19937_64 random(7);
	char written[64];
	for (int i = 0; i < 100000; i++) {
		long long mantissa = static_cast<long long>(random() % 999999999999999ull) + 1;
		while (mantissa % 10 == 0)
			mantissa /= 10;
		int exponent = static_cast<int>(random() % 600) - 300;
		std::snprintf(written, sizeof written, "%llde%d", mantissa, exponent);
		double v = Read(written);
		if (!std::isfinite(v))
			continue;
		char digits[NUMBER_TEXT_SIZE];
		int point;
		int k = NumberToDigits(v, digits, &point);
		if (std::string(digits, k) != std::to_string(mantissa)) {
			ASSERT_TRUE(IsExactMidpoint(v, written)) << written;
			ASSERT_GT(k, static_cast<int>(std::to_string(mantissa).size())) << written;
			continue;
		}
		ASSERT_EQ(point - k, exponent) << written;
	}
}

}  // namespace
