#include "numtext.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Shortest digits that read back to the same double, found by trying each
// precision in turn.
int NumberToText(double v, char out[32])
{
	if (std::isnan(v))
		return std::snprintf(out, 32, "NaN");
	char *p = out;
	if (v < 0) {
		*p++ = '-';
		v = -v;
	}
	if (std::isinf(v))
		return int(p - out) + std::snprintf(p, 24, "Infinity");
	if (v == 0) {
		out[0] = '0';
		out[1] = 0;
		return 1;
	}
	char buf[40];
	int prec;
	for (prec = 1; prec <= 17; ++prec) {
		std::snprintf(buf, sizeof buf, "%.*e", prec - 1, v);
		if (std::strtod(buf, nullptr) == v)
			break;
	}
	char digits[20];
	int k = 0;
	const char *s = buf;
	for (; *s && *s != 'e'; ++s)
		if (*s >= '0' && *s <= '9')
			digits[k++] = *s;
	while (k > 1 && digits[k - 1] == '0')
		--k;
	int n = std::atoi(s + 1) + 1;
	if (n < -5 || n > 21) {
		*p++ = digits[0];
		if (k > 1) {
			*p++ = '.';
			std::memcpy(p, digits + 1, size_t(k - 1));
			p += k - 1;
		}
		p += std::snprintf(p, 8, "e%c%d", n - 1 < 0 ? '-' : '+', std::abs(n - 1));
	} else if (n <= 0) {
		*p++ = '0';
		*p++ = '.';
		for (int i = 0; i < -n; ++i)
			*p++ = '0';
		std::memcpy(p, digits, size_t(k));
		p += k;
	} else {
		for (int i = 0; i < n; ++i)
			*p++ = i < k ? digits[i] : '0';
		if (k > n) {
			*p++ = '.';
			std::memcpy(p, digits + n, size_t(k - n));
			p += k - n;
		}
	}
	*p = 0;
	return int(p - out);
}
