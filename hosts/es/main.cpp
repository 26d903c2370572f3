// es: runs ECMAScript programs through scriptcore.
//   es [options] FILE...      runs the files in one global object, in order
//   es [options] -e CODE      runs the code (several -e and files mix, in order)
//   es [options]              a prompt on a terminal, else all of stdin as one program
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "host.h"

namespace {

using es_shell::Host;

const char usage_text[] =
	"usage: es [--slice N] [--js-version N] [-e CODE | FILE | -]...\n"
	"  FILE            run the file; several run in order in one global object\n"
	"  -e CODE         run CODE\n"
	"  -               run all of standard input\n"
	"  --slice N       steps per time slice (default 10000, at least 1)\n"
	"  --js-version N  compatibility number of the contexts (default 4; 3 or\n"
	"                  less keeps a function's own \"arguments\" property)\n"
	"  -h, --help      show this text\n"
	"With no program, reads lines at a prompt on a terminal, otherwise runs\n"
	"all of standard input.  Exit codes: 0 success, 1 syntax error, 2 bad\n"
	"options or unreadable input, 3 uncaught error or frame limit, 4 out of\n"
	"memory.\n";

struct Source {
	std::string where;   // follows "Syntax error" in a report
	std::string text;
};

int Usage(const char *problem)
{
	if (problem)
		std::fprintf(stderr, "es: %s\n", problem);
	std::fputs(usage_text, stderr);
	return es_shell::EXIT_USAGE;
}

bool ReadAll(std::FILE *f, std::string *text)
{
	char buf[65536];
	size_t n;
	while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
		text->append(buf, n);
	return !std::ferror(f);
}

bool ReadFile(const char *path, std::string *text)
{
	std::FILE *f = std::fopen(path, "rb");
	if (!f) {
		std::fprintf(stderr, "es: cannot open %s: %s\n", path, std::strerror(errno));
		return false;
	}
	bool ok = ReadAll(f, text);
	std::fclose(f);
	if (!ok)
		std::fprintf(stderr, "es: cannot read %s\n", path);
	return ok;
}

// A whole decimal number from min to INT_MAX, nothing else.
bool ParseCount(const char *text, int min, int *out)
{
	if (!text || !*text)
		return false;
	errno = 0;
	char *end = nullptr;
	long v = std::strtol(text, &end, 10);
	if (*end || errno == ERANGE || v < min || v > INT_MAX)
		return false;
	*out = int(v);
	return true;
}

// One line at a time at a prompt; each line is a program whose value is
// shown.  Errors are reported and the prompt goes on.
int Interactive(Host &host)
{
	std::string line;
	for (;;) {
		std::fputs("> ", stdout);
		std::fflush(stdout);
		line.clear();
		int c;
		while ((c = std::fgetc(stdin)) != EOF && c != '\n')
			line.push_back(char(c));
		if (c == EOF && line.empty()) {
			std::fputc('\n', stdout);
			return es_shell::EXIT_OK;
		}
		if (host.Run("in input", line, true) == es_shell::EXIT_NO_MEMORY)
			return es_shell::EXIT_NO_MEMORY;
		if (c == EOF)
			return es_shell::EXIT_OK;
	}
}

}  // namespace

int main(int argc, char **argv)
{
#if defined(_WIN32)
	// The engine's texts carry their own CR LF; no translation on the way.
	_setmode(_fileno(stdout), _O_BINARY);
	_setmode(_fileno(stderr), _O_BINARY);
	_setmode(_fileno(stdin), _O_BINARY);
#endif
	Host host;
	std::vector<Source> sources;
	bool read_stdin = false, options_done = false;
	for (int i = 1; i < argc; ++i) {
		const char *arg = argv[i];
		if (options_done || arg[0] != '-' || std::strcmp(arg, "-") == 0) {
			Source s;
			if (std::strcmp(arg, "-") == 0 && !options_done) {
				if (read_stdin)
					return Usage("standard input named twice");
				read_stdin = true;
				s.where = "in standard input";
				if (!ReadAll(stdin, &s.text)) {
					std::fputs("es: cannot read standard input\n", stderr);
					return es_shell::EXIT_USAGE;
				}
			} else {
				s.where = std::string("in ") + arg;
				if (!ReadFile(arg, &s.text))
					return es_shell::EXIT_USAGE;
			}
			sources.push_back(std::move(s));
		} else if (std::strcmp(arg, "--") == 0) {
			options_done = true;
		} else if (std::strcmp(arg, "-e") == 0) {
			if (++i == argc)
				return Usage("-e needs code");
			sources.push_back({"in -e code", argv[i]});
		} else if (std::strcmp(arg, "--slice") == 0) {
			if (!ParseCount(++i < argc ? argv[i] : nullptr, 1, &host.slice))
				return Usage("--slice needs a whole number of steps, at least 1");
		} else if (std::strcmp(arg, "--js-version") == 0) {
			if (!ParseCount(++i < argc ? argv[i] : nullptr, 0, &host.version))
				return Usage("--js-version needs a whole number");
		} else if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0) {
			std::fputs(usage_text, stdout);
			return es_shell::EXIT_OK;
		} else {
			std::string problem = std::string("unknown option ") + arg;
			return Usage(problem.c_str());
		}
	}
	if (!host.Start()) {
		std::fputs("es: out of memory\n", stderr);
		return es_shell::EXIT_NO_MEMORY;
	}
	if (sources.empty()) {
		if (isatty(fileno(stdin)))
			return Interactive(host);
		Source s{"in standard input", {}};
		if (!ReadAll(stdin, &s.text)) {
			std::fputs("es: cannot read standard input\n", stderr);
			return es_shell::EXIT_USAGE;
		}
		sources.push_back(std::move(s));
	}
	for (const Source &s : sources) {
		int code = host.Run(s.where, s.text, false);
		if (code != es_shell::EXIT_OK)
			return code;
	}
	return es_shell::EXIT_OK;
}
