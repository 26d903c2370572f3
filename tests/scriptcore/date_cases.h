// What both date tests share: a program with the value it must end with,
// and numbers written as the script language writes them.
#ifndef TESTS_SCRIPTCORE_DATE_CASES_H
#define TESTS_SCRIPTCORE_DATE_CASES_H

#include <string>

namespace date_cases {

struct DateCase {
	const char *text;
	const char *value;
};

// Numbers as the script language writes NaN and Infinity, whatever the C
// library's printf makes of them.
inline std::string Normalised(const std::string &v)
{
	if (v.find("nan") != std::string::npos || v.find("NAN") != std::string::npos ||
	    v.find("IND") != std::string::npos)
		return "NaN";
	if (v == "inf" || v == "1.#INF")
		return "Infinity";
	if (v == "-inf" || v == "-1.#INF")
		return "-Infinity";
	return v;
}

} // namespace date_cases

using date_cases::DateCase;
using date_cases::Normalised;

#endif
