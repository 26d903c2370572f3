#!/usr/bin/env python3
"""Runs the same programs under our es shell and under Debian's duk and mujs,
and reports per program each engine's time (the best wall-clock time of N
runs, measured here) and peak memory (the largest resident set of those
runs), with the ratios of es to each of the others.

    bench/scriptcore/shell-bench.py [--es PATH] [--runs N] [--v8] [PROGRAM.js...]

By default it runs every program in bench/scriptcore/programs with
build/native/bin/es, 3 runs each.  With --v8 it runs the V8 benchmark
programs of bench/scriptcore/v8 instead, each after the same ES3 prelude and
driver in every engine, a fixed number of iterations (about a second in
duk).  The last line gives the geometric means of the ratios.  A ratio below 1 means es is the faster
or smaller.  When an engine fails or prints something else than es, the
line says so: figures of a wrong run mean nothing.
"""
import argparse
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
V8 = os.path.join(HERE, "v8")
# Iterations of each V8 program: about one second each in duk.
V8_ITERATIONS = {"richards": 40, "deltablue": 20, "navier-stokes": 4, "splay": 4,
                 "raytrace": 4, "crypto": 2, "earley-boyer": 1}
ROOT = os.path.dirname(os.path.dirname(HERE))
GNU_TIME = "/usr/bin/time"   # Debian package time


class Result:
    def __init__(self):
        self.seconds = None    # best wall-clock time
        self.peak_kb = 0       # largest maximum resident set size
        self.output = None     # standard output of the first run
        self.problem = None    # why the figures are not usable


def measure(command, runs):
    result = Result()
    for _ in range(runs):
        # Output goes to files, so that the engine never waits on a pipe.
        # GNU time reports the peak resident set of the engine alone: a
        # child forked from this Python process would count Python's pages.
        with tempfile.TemporaryFile() as out_file, tempfile.TemporaryFile() as err_file, \
                tempfile.NamedTemporaryFile("r") as peak_file:
            start = time.perf_counter()
            proc = subprocess.run([GNU_TIME, "-f", "%M", "-o", peak_file.name] + command,
                                  stdout=out_file, stderr=err_file)
            seconds = time.perf_counter() - start
            out_file.seek(0)
            err_file.seek(0)
            out, err = out_file.read(), err_file.read()
            peak_text = peak_file.read().split()
        if proc.returncode != 0:
            result.problem = f"exit {proc.returncode}: {err.decode(errors='replace').strip()[:70]!r}"
            return result
        if result.output is None:
            result.output = out
        if result.seconds is None or seconds < result.seconds:
            result.seconds = seconds
        result.peak_kb = max(result.peak_kb, int(peak_text[-1]) if peak_text else 0)
    return result


def positive(text):
    n = int(text)
    if n < 1:
        raise argparse.ArgumentTypeError("needs at least 1")
    return n


def ratio(a, b):
    return f"{a / b:7.2f}" if a is not None and b else "      -"


def v8_programs(folder):
    """Writes each V8 program, behind the prelude and driver, into folder."""
    parts = []
    for name in ("prelude.js", "driver.js"):
        with open(os.path.join(V8, name)) as f:
            parts.append(f.read())
    programs = []
    for name, iterations in V8_ITERATIONS.items():
        with open(os.path.join(V8, name + ".js")) as f:
            text = "".join(parts) + f.read() + f"\nRunSuites({iterations});\n"
        path = os.path.join(folder, name + ".js")
        with open(path, "w") as f:
            f.write(text)
        programs.append(path)
    return programs


def geometric_mean(values):
    values = [v for v in values if v]
    if not values:
        return None
    product = 1.0
    for v in values:
        product *= v
    return product ** (1.0 / len(values))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--es", default=os.path.join(ROOT, "build", "native", "bin", "es"))
    parser.add_argument("--runs", type=positive, default=3, metavar="N")
    parser.add_argument("--v8", action="store_true", help="run the V8 benchmark programs")
    parser.add_argument("programs", nargs="*")
    args = parser.parse_args()
    scratch = tempfile.TemporaryDirectory()
    if args.v8:
        programs = v8_programs(scratch.name)
    else:
        programs = args.programs or sorted(glob.glob(os.path.join(HERE, "programs", "*.js")))

    engines = [("es", args.es)]
    for name in ("duk", "mujs"):
        path = shutil.which(name)
        if path:
            engines.append((name, path))
        else:
            print(f"{name}: not installed (Debian package {'duktape' if name == 'duk' else name})")

    print(f"best of {args.runs} runs; time in seconds, peak memory in MB")
    header = f"{'program':<14}" + "".join(f"{n + ' s':>9}" for n, _ in engines)
    header += "".join(f"{'es/' + n:>9}" for n, _ in engines[1:])
    header += "".join(f"{n + ' MB':>9}" for n, _ in engines)
    header += "".join(f"{'es/' + n:>9}" for n, _ in engines[1:])
    print(header)
    time_ratios = {n: [] for n, _ in engines[1:]}
    memory_ratios = {n: [] for n, _ in engines[1:]}
    for program in programs:
        results = {name: measure([path, program], args.runs) for name, path in engines}
        es = results["es"]
        line = f"{os.path.basename(program)[:-3]:<14}"
        line += "".join(f"{r.seconds:9.3f}" if r.seconds is not None else f"{'-':>9}"
                        for r in results.values())
        line += "".join(f"  {ratio(es.seconds, results[n].seconds)}" for n, _ in engines[1:])
        line += "".join(f"{r.peak_kb / 1024:9.1f}" if r.seconds is not None else f"{'-':>9}"
                        for r in results.values())
        line += "".join(f"  {ratio(es.peak_kb if es.seconds is not None else None, results[n].peak_kb)}"
                        for n, _ in engines[1:])
        print(line)
        for n, _ in engines[1:]:
            other = results[n]
            if es.seconds is not None and other.seconds:
                time_ratios[n].append(es.seconds / other.seconds)
                memory_ratios[n].append(es.peak_kb / other.peak_kb if other.peak_kb else None)
        for name, r in results.items():
            if r.problem:
                print(f"  {name}: {r.problem}")
            elif name != "es" and es.output is not None and r.output != es.output:
                print(f"  {name} printed {r.output[:60]!r}, es {es.output[:60]!r}")
    line = f"{'geomean':<14}" + " " * 9 * len(engines)
    line += "".join(f"  {ratio(geometric_mean(time_ratios[n]), 1)}" for n, _ in engines[1:])
    line += " " * 9 * len(engines)
    line += "".join(f"  {ratio(geometric_mean(memory_ratios[n]), 1)}" for n, _ in engines[1:])
    print(line)
    return 0


if __name__ == "__main__":
    sys.exit(main())
