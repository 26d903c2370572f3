#!/bin/sh
# run_scenario.sh SCENARIO KOVRA_EXE WORK_DIR WINE_RUN
# Runs the kovra host under Wine on a private virtual X display and checks
# its log of callbacks, deliveries and results against the scenario.
set -eu
scenario=$1 exe=$2 work=$3 wine_run=$4

rm -rf "$work"
mkdir -p "$work/host"
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

Xvfb -displayfd 3 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
server=""
cleanup() {
	kill "$xvfb" 2>/dev/null || true
	[ -n "$server" ] && kill "$server" 2>/dev/null || true
}
trap cleanup EXIT
i=0
while [ ! -s "$work/display" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY

# Wine's helper processes (the desktop among them) outlive the program; with
# its output in a file none of them holds CTest's pipe.
log="$work/kovra.log"
case "$scenario" in
startup_event_shutdown)
	# Start-up, a deferred event each from the two send commands, shut-down.
	"$wine_run" "$exe" --host-dir "$(winpath "$work/host")" --log "$(winpath "$log")" \
		--script startup,68,pump,69,pump,shutdown,quit </dev/null >"$work/wine.out" 2>&1
	cat >"$work/expected" <<END
loaded
callback 18
callback 84
callback 12
startup -> 0
callback 41
call 68 -> 0
deliver -> 0
pump done
callback 41
call 69 -> 0
deliver -> 0
pump done
callback 85 $(winpath "$work/host")\\MAIL
shutdown -> 0
unloaded
END
	test -d "$work/host/MAIL" || { echo "no mail directory"; exit 1; }
	test -f "$work/host/MAIL/windowsettings.ini" || { echo "windowsettings.ini not written"; exit 1; }
	;;
restart_and_late_event)
	# An event the host gives back only after shut-down is freed, not run;
	# a second start-up in the same process builds everything again.
	"$wine_run" "$exe" --host-dir "$(winpath "$work/host")" --log "$(winpath "$log")" \
		--script startup,hold,68,shutdown,release,pump,startup,69,pump,shutdown,quit \
		</dev/null >"$work/wine.out" 2>&1
	mail="$(winpath "$work/host")\\MAIL"
	cat >"$work/expected" <<END
loaded
callback 18
callback 84
callback 12
startup -> 0
hold
callback 41
call 68 -> 0
callback 85 $mail
shutdown -> 0
release
deliver -> 0
pump done
callback 18
callback 84
callback 12
startup -> 0
callback 41
call 69 -> 0
deliver -> 0
pump done
callback 85 $mail
shutdown -> 0
unloaded
END
	;;
connection)
	# A real loopback server; the host's probe client goes through
	# callbacks 39 and 40 and Winsock.
	python3 - "$work/port" <<'PY' &
import socket, sys
s = socket.socket()
s.bind(("127.0.0.1", 0))
s.listen(1)
open(sys.argv[1], "w").write(str(s.getsockname()[1]))
s.settimeout(120)
c, _ = s.accept()
line = b""
while not line.endswith(b"\r\n"):
    chunk = c.recv(100)
    if not chunk:
        break
    line += chunk
c.sendall(line)
c.close()
PY
	server=$!
	i=0
	while [ ! -s "$work/port" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
	port=$(cat "$work/port")
	"$wine_run" "$exe" --host-dir "$(winpath "$work/host")" --log "$(winpath "$log")" \
		--script "connect:127.0.0.1:$port,wait-connections,quit" </dev/null >"$work/wine.out" 2>&1
	cat >"$work/expected" <<END
loaded
callback 39 127.0.0.1 $port
connected
received HELLO kovra
ended 33330
callback 40
wait-connections done
unloaded
END
	;;
*)
	echo "unknown scenario $scenario"
	exit 2
	;;
esac
tr -d '\r' <"$log" >"$work/actual"
diff -u "$work/expected" "$work/actual"
