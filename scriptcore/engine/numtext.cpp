/*
 * Shortest digits by the free-format method of Steele & White, in the
 * stopping form of David M. Gay's mode 1: digits of the exact value are
 * produced one at a time and generation stops as soon as the digits so far,
 * or the digits so far with the last one raised by one, lie strictly inside
 * the rounding interval of the double.  The arithmetic is exact, on small
 * big integers of our own.
 */
#include "numtext.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

/* A non-negative integer in base 2^32, least significant limb first.  The
   largest number involved is about 2^1078 * 10^17 (R for the smallest
   subnormals, scaled by ten per digit), well under 40 limbs; 80 leaves
   room. */
class BigNumber {
public:
	BigNumber() = default;

	void Set(uint64_t v)
	{
		limb_[0] = static_cast<uint32_t>(v);
		limb_[1] = static_cast<uint32_t>(v >> 32);
		used_ = limb_[1] ? 2 : (limb_[0] ? 1 : 0);
	}

	bool IsZero() const { return used_ == 0; }

	void MultiplySmall(uint32_t factor)
	{
		uint64_t carry = 0;
		for (int i = 0; i < used_; i++) {
			uint64_t t = static_cast<uint64_t>(limb_[i]) * factor + carry;
			limb_[i] = static_cast<uint32_t>(t);
			carry = t >> 32;
		}
		if (carry)
			limb_[used_++] = static_cast<uint32_t>(carry);
	}

	void MultiplyPowerOfTen(int exponent)
	{
		while (exponent >= 9) {
			MultiplySmall(1000000000u);
			exponent -= 9;
		}
		static const uint32_t small[9] = {1, 10, 100, 1000, 10000, 100000,
			1000000, 10000000, 100000000};
		if (exponent > 0)
			MultiplySmall(small[exponent]);
	}

	void ShiftLeft(int bits)
	{
		if (used_ == 0 || bits == 0)
			return;
		int whole = bits / 32, part = bits % 32;
		if (part) {
			uint32_t carry = 0;
			for (int i = 0; i < used_; i++) {
				uint32_t next = limb_[i] >> (32 - part);
				limb_[i] = (limb_[i] << part) | carry;
				carry = next;
			}
			if (carry)
				limb_[used_++] = carry;
		}
		if (whole) {
			for (int i = used_ - 1; i >= 0; i--)
				limb_[i + whole] = limb_[i];
			for (int i = 0; i < whole; i++)
				limb_[i] = 0;
			used_ += whole;
		}
	}

	static int Compare(const BigNumber &a, const BigNumber &b)
	{
		if (a.used_ != b.used_)
			return a.used_ < b.used_ ? -1 : 1;
		for (int i = a.used_ - 1; i >= 0; i--)
			if (a.limb_[i] != b.limb_[i])
				return a.limb_[i] < b.limb_[i] ? -1 : 1;
		return 0;
	}

	/* Compares a + b with c without forming the sum. */
	static int CompareSum(const BigNumber &a, const BigNumber &b, const BigNumber &c)
	{
		int n = a.used_ > b.used_ ? a.used_ : b.used_;
		if (n + 1 < c.used_)
			return -1;
		if (n > c.used_)
			return 1;
		/* Walk from the top, carrying the difference (a + b) - c downwards;
		   once it leaves {-1, 0, 1} limbs' worth it cannot come back. */
		int64_t borrow = 0;
		for (int i = c.used_ > n ? c.used_ - 1 : n - 1; i >= 0; i--) {
			int64_t digit = static_cast<int64_t>(a.Limb(i)) + b.Limb(i) - c.Limb(i);
			borrow = borrow * (int64_t(1) << 32) + digit;
			if (borrow > 1)
				return 1;
			if (borrow < -1)
				return -1;
		}
		return borrow > 0 ? 1 : (borrow < 0 ? -1 : 0);
	}

	/* this -= other; requires this >= other. */
	void Subtract(const BigNumber &other)
	{
		int64_t borrow = 0;
		for (int i = 0; i < used_; i++) {
			int64_t t = static_cast<int64_t>(limb_[i]) - other.Limb(i) - borrow;
			borrow = t < 0;
			limb_[i] = static_cast<uint32_t>(t + (borrow << 32));
		}
		Trim();
	}

	/* Returns floor(this / divisor) (known to be below 10) and leaves the
	   remainder in this. */
	int DivideSmallQuotient(const BigNumber &divisor)
	{
		if (Compare(*this, divisor) < 0)
			return 0;
		/* Estimate from the top three limbs in floating point, one short
		   to stay below the true quotient, then correct upwards. */
		int top = divisor.used_ - 1;
		double num = (static_cast<double>(Limb(top + 1)) * 4294967296.0 + Limb(top)) * 4294967296.0
			+ Limb(top - 1);
		double den = static_cast<double>(divisor.Limb(top)) * 4294967296.0 + divisor.Limb(top - 1) + 1.0;
		int quotient = static_cast<int>(num / den) - 1;
		if (quotient < 0)
			quotient = 0;
		if (quotient > 0)
			SubtractMultiple(divisor, static_cast<uint32_t>(quotient));
		while (Compare(*this, divisor) >= 0) {
			Subtract(divisor);
			quotient++;
		}
		return quotient;
	}

private:
	uint32_t Limb(int i) const { return i >= 0 && i < used_ ? limb_[i] : 0; }

	void SubtractMultiple(const BigNumber &other, uint32_t factor)
	{
		uint64_t carry = 0;
		int64_t borrow = 0;
		for (int i = 0; i < used_; i++) {
			uint64_t product = static_cast<uint64_t>(other.Limb(i)) * factor + carry;
			carry = product >> 32;
			int64_t t = static_cast<int64_t>(limb_[i]) - static_cast<uint32_t>(product) - borrow;
			borrow = t < 0;
			limb_[i] = static_cast<uint32_t>(t + (borrow << 32));
		}
		Trim();
	}

	void Trim()
	{
		while (used_ > 0 && limb_[used_ - 1] == 0)
			used_--;
	}

	uint32_t limb_[80] = {};
	int used_ = 0;
};

/* Writes the decimal digits of an integer below 2^53, without trailing
   zeros; *point as for NumberToDigits.  For these the shortest digits are
   the exact ones: every other decimal with as few digits lies at least one
   unit away, outside the half-unit interval. */
int IntegerDigits(uint64_t value, char *digits, int *point)
{
	char reversed[20];
	int n = 0;
	while (value) {
		reversed[n++] = static_cast<char>('0' + value % 10);
		value /= 10;
	}
	*point = n;
	int first = 0;
	while (reversed[first] == '0')
		first++;
	int k = 0;
	for (int i = n - 1; i >= first; i--)
		digits[k++] = reversed[i];
	return k;
}

}  // namespace

int NumberToDigits(double value, char digits[NUMBER_TEXT_SIZE], int *point)
{
	if (!(value > 0) || std::isinf(value)) {
		digits[0] = '0';
		*point = 1;
		return 1;
	}
	uint64_t bits;
	std::memcpy(&bits, &value, sizeof bits);
	int biased = static_cast<int>((bits >> 52) & 0x7FF);
	uint64_t fraction = bits & ((uint64_t(1) << 52) - 1);
	uint64_t mantissa = biased ? fraction | (uint64_t(1) << 52) : fraction;
	int exponent = biased ? biased - 1075 : -1074;

	if (exponent >= -52 && exponent <= 0 && (mantissa & ((uint64_t(1) << -exponent) - 1)) == 0)
		return IntegerDigits(mantissa >> -exponent, digits, point);

	/* value = R / S; the interval of doubles that read back as value is
	   (value - M- / S, value + M+ / S), ends excluded.  Its lower half is
	   narrower when value is a power of two above the smallest normal. */
	bool narrowBelow = fraction == 0 && biased > 1;
	BigNumber r, s, mMinus, mPlus;
	r.Set(mantissa);
	if (exponent >= 0) {
		r.ShiftLeft(exponent + (narrowBelow ? 2 : 1));
		s.Set(narrowBelow ? 4 : 2);
		mMinus.Set(1);
		mMinus.ShiftLeft(exponent);
	} else {
		r.ShiftLeft(narrowBelow ? 2 : 1);
		s.Set(1);
		s.ShiftLeft(-exponent + (narrowBelow ? 2 : 1));
		mMinus.Set(1);
	}
	mPlus = mMinus;
	if (narrowBelow)
		mPlus.ShiftLeft(1);

	/* Scale so that 1 <= R / S < 10; k = floor(log10(value)).  The estimate
	   from log10 is off by at most one either way. */
	int k = static_cast<int>(std::floor(std::log10(value)));
	if (k >= 0) {
		s.MultiplyPowerOfTen(k);
	} else {
		r.MultiplyPowerOfTen(-k);
		mMinus.MultiplyPowerOfTen(-k);
		mPlus.MultiplyPowerOfTen(-k);
	}
	if (BigNumber::Compare(r, s) < 0) {
		k--;
		r.MultiplySmall(10);
		mMinus.MultiplySmall(10);
		mPlus.MultiplySmall(10);
	} else {
		BigNumber ten = s;
		ten.MultiplySmall(10);
		if (BigNumber::Compare(r, ten) >= 0) {
			k++;
			s = ten;
		}
	}

	int count = 0;
	bool roundUp = false;
	for (;;) {
		int digit = r.DivideSmallQuotient(s);
		bool low = BigNumber::Compare(r, mMinus) < 0;
		bool high = BigNumber::CompareSum(r, mPlus, s) > 0;
		if (low && high) {
			/* Both neighbours read back: take the nearer, ties to even. */
			BigNumber twice = r;
			twice.ShiftLeft(1);
			int c = BigNumber::Compare(twice, s);
			roundUp = c > 0 || (c == 0 && (digit & 1));
		} else if (high) {
			roundUp = true;
		}
		digits[count++] = static_cast<char>('0' + digit);
		if (low || high || count == 17)
			break;
		r.MultiplySmall(10);
		mMinus.MultiplySmall(10);
		mPlus.MultiplySmall(10);
	}
	if (roundUp) {
		while (count > 0 && digits[count - 1] == '9')
			count--;
		if (count == 0) {
			digits[count++] = '1';
			k++;
		} else {
			digits[count - 1]++;
		}
	}
	while (count > 1 && digits[count - 1] == '0')
		count--;
	*point = k + 1;
	return count;
}

int NumberToText(double value, char out[NUMBER_TEXT_SIZE])
{
	if (std::isnan(value)) {
		std::memcpy(out, "NaN", 4);
		return 3;
	}
	int length = 0;
	if (value < 0) {
		out[length++] = '-';
		value = -value;
	}
	if (std::isinf(value)) {
		std::memcpy(out + length, "Infinity", 9);
		return length + 8;
	}
	if (value == 0) {
		/* Negative zero prints as "0" too; the sign test above skips it. */
		std::memcpy(out, "0", 2);
		return 1;
	}

	char digits[NUMBER_TEXT_SIZE];
	int n;
	int k = NumberToDigits(value, digits, &n);
	if (n < -5 || n > 21) {
		out[length++] = digits[0];
		if (k > 1) {
			out[length++] = '.';
			std::memcpy(out + length, digits + 1, k - 1);
			length += k - 1;
		}
		out[length++] = 'e';
		int e = n - 1;
		out[length++] = e < 0 ? '-' : '+';
		if (e < 0)
			e = -e;
		char reversed[4];
		int m = 0;
		do {
			reversed[m++] = static_cast<char>('0' + e % 10);
			e /= 10;
		} while (e);
		while (m)
			out[length++] = reversed[--m];
	} else if (n <= 0) {
		out[length++] = '0';
		out[length++] = '.';
		for (int i = 0; i < -n; i++)
			out[length++] = '0';
		std::memcpy(out + length, digits, k);
		length += k;
	} else {
		for (int i = 0; i < n; i++)
			out[length++] = i < k ? digits[i] : '0';
		if (k > n) {
			out[length++] = '.';
			std::memcpy(out + length, digits + n, k - n);
			length += k - n;
		}
	}
	out[length] = '\0';
	return length;
}
