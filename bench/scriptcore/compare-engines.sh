#!/bin/sh
# Compile speed of duk and mujs on the benchmark's sources, for comparison
# with compile_bench.  Each source is the body of a function that is never
# called, so the engines only compile it; the start-up time of each engine
# (measured on an empty file) is subtracted.  Prints MB/s per engine.
#   bench/scriptcore/compare-engines.sh build/native/bin/compile_bench [runs]
set -eu
bench=$1
runs=${2:-10}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$bench" --dump "$dir" > "$dir/list"
echo "function bench_body() {}" > "$dir/empty.js"

# Seconds (CPU, user + system) for $runs runs of "$1 $2".
cpu() {
	/usr/bin/time -f "%U %S" sh -c "i=0; while [ \$i -lt $runs ]; do $1 $2 > /dev/null; i=\$((i+1)); done" 2>&1 |
		tail -1 | awk '{print $1 + $2}'
}

for engine in duk mujs; do
	if ! command -v $engine > /dev/null; then
		echo "$engine: not installed (Debian packages duktape, mujs)"
		continue
	fi
	base=$(cpu $engine "$dir/empty.js")
	while read -r path size; do
		t=$(cpu $engine "$path")
		echo "$engine $(basename "$path" .js) $size $t $base $runs" |
			awk '{ s = ($4 - $5) / $6; printf "%-5s %-26s %8.1f MB/s (%.2f ms per compile)\n", $1, $2, $3 / s / 1048576, s * 1000 }'
	done < "$dir/list"
done
