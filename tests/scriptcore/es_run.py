"""Running the es shell (natively or under an emulator such as Wine) and
comparing what it did with what was expected, for the shell's tests."""
import difflib
import os
import subprocess
from dataclasses import dataclass

# A generous bound: a slice of one step under Wine is slow, but a program
# that never ends must still fail rather than hang the run.
TIMEOUT_SECONDS = 300


@dataclass
class Outcome:
    code: int
    out: bytes
    err: bytes


def run(es, args, emulator=None, cwd=None, stdin=b""):
    """Runs es with the arguments from the folder cwd, feeding it stdin."""
    # The shell runs from the program's folder, so a relative path to it
    # must not depend on that folder.
    command = ([emulator] if emulator else []) + [os.path.abspath(es)] + list(args)
    try:
        done = subprocess.run(command, input=stdin, capture_output=True,
                              cwd=cwd, timeout=TIMEOUT_SECONDS)
    except OSError as e:
        return Outcome(-1, b"", f"<cannot start {command[0]}: {e}>".encode())
    except subprocess.TimeoutExpired as e:
        return Outcome(-1, e.stdout or b"", (e.stderr or b"") + b"<timed out>")
    return Outcome(done.returncode, done.stdout, done.stderr)


def _diff(name, want, got):
    if want == got:
        return []
    lines = [f"{name} differs (expected, then actual):"]
    lines += ["  " + line for line in difflib.unified_diff(
        [repr(l) for l in want.splitlines(keepends=True)],
        [repr(l) for l in got.splitlines(keepends=True)],
        "expected", "actual", lineterm="")]
    return lines


def compare(want, got):
    """The differences between two outcomes, as lines of text."""
    problems = []
    if want.code != got.code:
        problems.append(f"exit code {got.code}, expected {want.code}")
    problems += _diff("stdout", want.out, got.out)
    problems += _diff("stderr", want.err, got.err)
    return problems
