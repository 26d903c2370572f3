// A fixture that compiles programs and runs them through the host
// interface in time slices, the way a browser host does.
#ifndef TESTS_SCRIPTCORE_SCRIPT_RUNNER_H
#define TESTS_SCRIPTCORE_SCRIPT_RUNNER_H

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "scriptcore.h"

namespace script_runner {

inline std::vector<std::string> reports;

inline int ES_CALLBACK Report(const char *text, ES_Cookie)
{
	reports.push_back(text);
	return 0;
}

inline const ES_HostOps no_ops{};

struct Outcome {
	int status;
	std::string value;   // the value as text; for status 3 the report
};

inline std::string Show(const ES_Value &v)
{
	char buf[64];
	switch (v.type) {
	case ES_VALUE_UNDEFINED:
		return "undefined";
	case ES_VALUE_NULL:
		return "null";
	case ES_VALUE_BOOLEAN:
		return v.value.boolean ? "true" : "false";
	case ES_VALUE_NUMBER:
		std::snprintf(buf, sizeof buf, "%.17g", v.value.number);
		return buf;
	case ES_VALUE_STRING:
		return std::string("'") + v.value.string + "'";
	default:
		return "object";
	}
}

class RunTest : public ::testing::Test {
public:
	void SetUp() override
	{
		ES_Init(&no_ops, Report);
		reports.clear();
		global = ES_CreateGlobalObject();
		ASSERT_NE(global, nullptr);
	}
	void TearDown() override { ES_DeleteGlobalObject(global); }

	Outcome Run(const char *text, int slice = 1000, int want_string = 0, int *slices = nullptr)
	{
		ES_SourceSegment segment{text, uint32_t(std::strlen(text))};
		ES_SyntaxErrorRecord record{};
		record.size = sizeof record.buffer;
		ES_Program *program = ES_CompileProgram(global, &segment, 1, 0, 1, &record);
		if (!program)
			return {-1, record.buffer};
		ES_Context *cx = ES_CreateContext(global, nullptr, version, 0);
		Outcome outcome{-2, ""};
		reports.clear();
		if (ES_PushProgram(global, cx, program)) {
			int status, n = 0;
			while ((status = ES_ExecuteContext(cx, slice, want_string)) == ES_STATUS_RUNNING)
				++n;
			if (slices)
				*slices = n;
			ES_Value out{};
			if (status == ES_STATUS_VALUE)
				ES_GetReturnValue(cx, &out);
			outcome.status = status;
			outcome.value = status == ES_STATUS_ERROR ? (reports.empty() ? "" : reports.back())
				      : status == ES_STATUS_VALUE ? Show(out)
								  : "";
		}
		ES_DeleteContext(cx);
		ES_DeleteProgram(program);
		return outcome;
	}

	JS_Object *global = nullptr;
	int version = 4;   // the compatibility number given to each context
};

// A program and the status and value (or report) it must end with.
struct Case {
	const char *text;
	int status;
	const char *value;
};

// A program that must end with an uncaught error reported exactly once.
struct ErrorCase {
	const char *text;
	const char *report;
};

inline void RunCases(RunTest &t, const Case *cases, size_t count, int slice = 1000)
{
	for (size_t i = 0; i < count; ++i) {
		Outcome o = t.Run(cases[i].text, slice);
		EXPECT_EQ(o.status, cases[i].status) << cases[i].text << " -> " << o.value;
		EXPECT_EQ(o.value, cases[i].value) << cases[i].text;
	}
}

inline void RunErrorCases(RunTest &t, const ErrorCase *cases, size_t count)
{
	for (size_t i = 0; i < count; ++i) {
		Outcome o = t.Run(cases[i].text);
		EXPECT_EQ(o.status, ES_STATUS_ERROR) << cases[i].text;
		EXPECT_EQ(o.value, cases[i].report) << cases[i].text;
		EXPECT_EQ(reports.size(), 1u) << cases[i].text;
	}
}

} // namespace script_runner

using script_runner::Case;
using script_runner::ErrorCase;
using script_runner::RunCases;
using script_runner::RunErrorCases;

using script_runner::Outcome;
using script_runner::RunTest;
using script_runner::reports;

#endif
