#!/usr/bin/env python3
"""The es shell's command line: options, sources in order, standard input,
exit codes and the exact texts on standard error.

    es_shell_test.py [--emulator CMD] ES

Every case that runs script runs twice, with the default slice and with a
slice of one step.  The interactive prompt is tested through a pseudo
terminal when there is no emulator.
"""
import argparse
import os
import re
import sys
import tempfile
from dataclasses import dataclass

import es_run

# Files the cases name, written to a fresh folder that the shell runs from.
FILES = {
    "first.js": b"base = 40;\norigin = 'first';\n",
    "second.js": b"base = base + 2;\n",
    "throws.js": b"throw base;\n",
    "broken.js": b"var ok = 1;\nok = ok +;\n",
}

# Option errors end with the usage text.
USAGE_HEAD = rb"usage: es \[.*"

SAMPLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "hosts", "es",
                      "samples", "hello.js")


@dataclass
class Case:
    name: str
    args: list
    code: int
    err: bytes = b""
    out: bytes = b""
    stdin: bytes = b""
    err_re: bytes = None   # instead of err: a pattern for the whole text, for
                           # texts that hold a system message or the usage
    out_re: bytes = None   # likewise for out, for output that holds a time
    slices: bool = True    # run again with --slice 1


CASES = [
    # Programs and where they come from.
    Case("nothing to do", ["-e", "x = 1"], 0),
    Case("print", ["-e", "print(6 * 7, 'is', typeof print)"], 0, out=b"42 is function\n"),
    Case("output before an error stays", ["-e", "console.log('first'); throw 'then'"], 3,
         b'Unhandled exception: "then"\n', out=b"first\n"),
    Case("-e sources share one global, in order",
         ["-e", "a = 2", "-e", "b = a * 21", "-e", "throw b"], 3,
         b"Unhandled exception: 42\n"),
    Case("files and -e in order", ["first.js", "second.js", "-e", "throw base + 0.5"], 3,
         b"Unhandled exception: 42.5\n"),
    Case("the last file throws", ["first.js", "second.js", "throws.js"], 3,
         b"Unhandled exception: 42\n"),
    Case("standard input when no program is named", [], 3,
         b'Unhandled exception: "piped"\n', stdin=b"s = 'pi';\nthrow s + 'ped';\n"),
    Case("empty standard input", [], 0),
    Case("- reads standard input in its place", ["-e", "v = 1", "-", "-e", "throw v * 10"], 3,
         b"Unhandled exception: 20\n", stdin=b"v = v + 1"),
    Case("-- ends the options", ["--", "-e"], 2,
         err_re=rb"es: cannot open -e: .+\n"),

    Case("the sample script", [SAMPLE], 0,
         out_re=re.escape(b"Hello from scriptcore.\n"
                          b"Fibonacci numbers: 0, 1, 1, 2, 3, 5, 8, 13, 21, 34, 55, 89, 144\n"
                          b"gcd(1071, 462) = 21\n"
                          b"counters: 3 20\n"
                          b"a point: (3, -4)\n"
                          b"caught a TypeError: Value on left hand side of '.' is not "
                          b"convertible to Object: settings\n")
         + rb"fib\(20\) = 6765 in \d+ ms\n"),

    # Exit codes and the engine's texts.
    Case("throw undefined", ["-e", "throw undefined"], 3, b"Unhandled exception: undefined\n"),
    Case("throw null", ["-e", "throw null"], 3, b"Unhandled exception: null\n"),
    Case("throw a boolean", ["-e", "throw 1 < 2"], 3, b"Unhandled exception: true\n"),
    Case("throw a small number", ["-e", "throw 1 / 8000000"], 3,
         b"Unhandled exception: 1.25e-07\n"),
    Case("engine TypeError", ["-e", "var u; u.p = 1"], 3,
         b"Error:\r\nname: TypeError\r\n"
         b"message: Value on left hand side of '.' is not convertible to Object: u\r\n\n"),
    Case("not a location", ["-e", "y = nosuch + 1"], 3,
         b"Error:\r\nname: TypeError\r\n"
         b"message: Expression does not denote a location: No such variable 'nosuch'\r\n\n"),
    Case("syntax error in -e", ["-e", "a = ;"], 1,
         b"Syntax error in -e code (line 1)\r\na = ;\r\n------^\n"),
    Case("syntax error in a file", ["broken.js"], 1,
         b"Syntax error in broken.js (line 2)\r\nok = ok +;\r\n-----------^\n"),
    Case("syntax error in standard input", [], 1,
         b"Syntax error in standard input (line 1)\r\n)\r\n--^\n", stdin=b")"),
    Case("a syntax error stops before later sources",
         ["-e", "a = ;", "-e", "throw 'ran'"], 1,
         b"Syntax error in -e code (line 1)\r\na = ;\r\n------^\n"),
    Case("an uncaught error stops before later sources",
         ["-e", "throw 'first'", "-e", "a = ;"], 3, b'Unhandled exception: "first"\n'),

    # Options.
    Case("help", ["--help"], 0, slices=False),
    Case("unknown option", ["--bogus"], 2, err_re=rb"es: unknown option --bogus\n" + USAGE_HEAD,
         slices=False),
    Case("-e without code", ["-e"], 2, err_re=rb"es: -e needs code\n" + USAGE_HEAD, slices=False),
    Case("--slice without a number", ["--slice"], 2, err_re=rb"es: --slice .*\n" + USAGE_HEAD,
         slices=False),
    Case("--slice 0", ["--slice", "0", "-e", "1"], 2, err_re=rb"es: --slice .*\n" + USAGE_HEAD,
         slices=False),
    Case("--slice with trailing text", ["--slice", "10x", "-e", "1"], 2,
         err_re=rb"es: --slice .*\n" + USAGE_HEAD, slices=False),
    Case("--slice too large", ["--slice", "99999999999", "-e", "1"], 2,
         err_re=rb"es: --slice .*\n" + USAGE_HEAD, slices=False),
    Case("--js-version negative", ["--js-version", "-1", "-e", "1"], 2,
         err_re=rb"es: --js-version .*\n" + USAGE_HEAD, slices=False),
    Case("standard input named twice", ["-", "-"], 2,
         err_re=rb"es: standard input named twice\n" + USAGE_HEAD, slices=False),
    Case("a missing file stops the run before anything runs",
         ["-e", "throw 'ran'", "missing.js"], 2, err_re=rb"es: cannot open missing.js: .+\n"),
]


def check_case(case, es, emulator, folder):
    problems = []
    runs = [[]] + ([["--slice", "1"]] if case.slices else [])
    for options in runs:
        got = es_run.run(es, options + case.args, emulator=emulator, cwd=folder,
                         stdin=case.stdin)
        if case.err_re is not None:
            want = es_run.Outcome(case.code, case.out, got.err)
            if not re.fullmatch(case.err_re, got.err, re.S):
                problems.append(f"stderr {got.err!r} does not match {case.err_re!r}")
        else:
            want = es_run.Outcome(case.code, case.out, case.err)
        if case.out_re is not None:
            if not re.fullmatch(case.out_re, got.out):
                problems.append(f"stdout {got.out!r} does not match {case.out_re!r}")
            want.out = got.out
        if case.name == "help":
            # The text itself is the program's; it must be the usage.
            if not got.out.startswith(b"usage: es ["):
                problems.append(f"help output {got.out[:40]!r} is not the usage")
            want.out = got.out
        problems += [f"{' '.join(options) or 'default slice'}: {p}"
                     for p in es_run.compare(want, got)]
    return problems


def check_interactive(es):
    """The prompt shows each line's value as text and goes on after errors."""
    import pty
    import subprocess
    master, slave = pty.openpty()
    # No echo, so that nothing but the shell's own output is compared.
    import termios
    attrs = termios.tcgetattr(slave)
    attrs[3] &= ~termios.ECHO
    termios.tcsetattr(slave, termios.TCSANOW, attrs)
    lines = [b"1 + 2", b"x = 'h' + 'i'", b"x", b"throw 0.1 + 0.2", b"0.1 + 0.2",
             b"undefined", b"a = ;", b"typeof x", b"function sq(v) { return v * v; }",
             b"sq(9)", b"print('p', sq(2))", b"[1, [2, 3]]", b"({ toString: function () { return 'o'; } })"]
    os.write(master, b"\n".join(lines) + b"\n\x04")
    proc = subprocess.Popen([es], stdin=slave, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    os.close(slave)
    try:
        out, err = proc.communicate(timeout=es_run.TIMEOUT_SECONDS)
    finally:
        os.close(master)
    want = es_run.Outcome(
        0,
        b"> 3\n> hi\n> hi\n> > 0.30000000000000004\n> > > string\n> > 81\n> p 4\n> 1,2,3\n> o\n> \n",
        b"Unhandled exception: 0.3\n"
        b"Syntax error in input (line 1)\r\na = ;\r\n------^\n")
    return es_run.compare(want, es_run.Outcome(proc.returncode, out, err))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--emulator", default=None)
    parser.add_argument("es")
    args = parser.parse_args()

    failures = 0
    with tempfile.TemporaryDirectory() as folder:
        for name, text in FILES.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(text)
        for case in CASES:
            problems = check_case(case, args.es, args.emulator, folder)
            print(("FAIL " if problems else "ok   ") + case.name)
            for p in problems:
                print("  " + p)
            failures += bool(problems)
    if args.emulator is None and sys.platform != "win32":
        problems = check_interactive(os.path.abspath(args.es))
        print(("FAIL " if problems else "ok   ") + "interactive prompt")
        for p in problems:
            print("  " + p)
        failures += bool(problems)
    print(f"{failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
