#!/bin/sh
# check-exports.sh OBJDUMP BINARY NAME...
# Passes when the binary's export table lists exactly the given names,
# undecorated (no "@N" standard-call suffixes, no leading underscores).
set -eu
objdump=$1
binary=$2
shift 2
actual=$("$objdump" -p "$binary" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
	sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9][0-9]*\] //p' | sort)
expected=$(printf '%s\n' "$@" | sort)
if [ "$actual" != "$expected" ]; then
	echo "exports of $binary differ from the expected set"
	echo "--- expected"; echo "$expected"
	echo "--- actual"; echo "$actual"
	exit 1
fi
echo "$binary exports exactly $# undecorated names"
