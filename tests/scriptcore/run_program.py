#!/usr/bin/env python3
"""Runs one program of tests/scriptcore/programs through the es shell, with
the default time slice and again with a slice of one step, and compares
standard output, standard error and the exit code with the expected ones.

    run_program.py [--emulator CMD] ES PROGRAM.js

A program NAME.js comes with:
  NAME.out   the exact standard output (required, may be empty)
  NAME.err   the exact standard error (absent: none), bytes as written,
             so the engine's CR LF line ends are kept
  a first line "// exit: N" when the exit code is not 0
The program runs from its own folder under its bare file name, so reports
name it as "NAME.js".
"""
import argparse
import os
import re
import sys

import es_run


def expected_of(path):
    base = path[: -len(".js")]
    with open(path, "rb") as f:
        first = f.readline()
    match = re.match(rb"//\s*exit:\s*(\d+)\s*$", first)
    code = int(match.group(1)) if match else 0
    if not os.path.exists(base + ".out"):
        raise SystemExit(f"{path}: no {os.path.basename(base)}.out beside it")
    with open(base + ".out", "rb") as f:
        out = f.read()
    err = b""
    if os.path.exists(base + ".err"):
        with open(base + ".err", "rb") as f:
            err = f.read()
    return es_run.Outcome(code, out, err)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--emulator", default=None)
    parser.add_argument("es")
    parser.add_argument("program")
    args = parser.parse_args()

    program = os.path.abspath(args.program)
    want = expected_of(program)
    failed = False
    for options in ([], ["--slice", "1"]):
        got = es_run.run(args.es, options + [os.path.basename(program)],
                         emulator=args.emulator, cwd=os.path.dirname(program))
        problems = es_run.compare(want, got)
        label = " ".join(options) or "default slice"
        if problems:
            failed = True
            print(f"FAIL {os.path.basename(program)} ({label})")
            for line in problems:
                print("  " + line)
        else:
            print(f"ok   {os.path.basename(program)} ({label})")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
