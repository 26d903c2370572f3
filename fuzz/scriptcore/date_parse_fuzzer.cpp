// Arbitrary bytes as a date text.  The parser must give NaN or a finite
// time, and never crash, hang or read past the text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "date_calendar.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	std::string text(reinterpret_cast<const char *>(data), size);
	double t = js_date::ParseDateText(text.c_str());
	if (std::isinf(t))
		std::abort();
	return 0;
}
