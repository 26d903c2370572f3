#!/bin/sh
# check-stdcall.sh OBJDUMP BINARY NAME BYTES
# Passes when the function NAME in the 32-bit binary returns with "ret BYTES",
# removing its own arguments as the standard-call convention wants.
set -eu
objdump=$1 binary=$2 name=$3 bytes=$4
hex=$(printf '0x%x' "$bytes")
body=$("$objdump" -d "$binary" | awk -v n="<_${name}@${bytes}>:" '$2 == n {on = 1; next} on && /^$/ {exit} on')
if ! printf '%s\n' "$body" | grep -q "ret *\\\$$hex\$"; then
	echo "$name in $binary does not end with ret \$$hex"
	exit 1
fi
echo "$name removes its $bytes bytes of arguments"
