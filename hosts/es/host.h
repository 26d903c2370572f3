// The es shell's host: one global object with the shell's host functions,
// and the running of program texts in time slices, the way a browser host
// drives scriptcore.  Only the public ES_ interface is used.
#ifndef ES_SHELL_HOST_H
#define ES_SHELL_HOST_H

#include <string>

#include "scriptcore.h"

namespace es_shell {

// Exit codes of the shell.
enum ExitCode {
	EXIT_OK = 0,
	EXIT_SYNTAX_ERROR = 1,
	EXIT_USAGE = 2,          // bad options, or an input that cannot be read
	EXIT_SCRIPT_ERROR = 3,   // an uncaught error, the frame limit, a stray break
	EXIT_NO_MEMORY = 4       // the engine could not make what the run needs
};

class Host {
public:
	Host() = default;
	Host(const Host &) = delete;
	Host &operator=(const Host &) = delete;
	~Host();

	// Creates the global object and installs print, console.log and
	// performance.now on it.  False when memory runs out.
	[[nodiscard]] bool Start();

	// Compiles and runs one program text in the global object.  `where`
	// follows "Syntax error" in a report, e.g. "in hello.js".  With
	// show_result the program's value, as text, is written to stdout.
	// Returns one of the exit codes.
	[[nodiscard]] int Run(const std::string &where, const std::string &text, bool show_result);

	int slice = 10000;   // steps per ES_ExecuteContext call
	int version = 4;     // compatibility number for the contexts

private:
	bool InstallFunction(JS_Object *holder, const char *name, ES_HostObject which);
	JS_Object *MakeHolder(const char *name, ES_HostObject which);

	JS_Object *global_ = nullptr;
};

}  // namespace es_shell

#endif
