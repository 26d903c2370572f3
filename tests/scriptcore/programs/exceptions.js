// try, catch and finally: what is caught, what finally does to the
// completion, and the errors the engine raises.
function thrower(v) { throw v; }
try { thrower("boom"); } catch (e) { print("caught", e); }

try { var n = null; n.x; } catch (e) { print(e.name, "|", e.message); }
try { undefinedFunction(); } catch (e) { print(e.name, "|", e.message); }
try { var u; u(); } catch (e) { print(e.name, "|", e.message); }
try { var num = 5; num(); } catch (e) { print(e.name, "|", e.message); }
try { new num(); } catch (e) { print(e.name, "|", e.message); }

var order = "";
function tryReturn() {
	try { order += "t"; return "try"; } finally { order += "f"; }
}
print(tryReturn(), order);

function finallyWins() { try { return 1; } finally { return 2; } }
print(finallyWins());

function finallyOnBreak() {
	var seen = "";
	for (var i = 0; i < 5; i++) {
		try {
			if (i == 1) continue;
			if (i == 3) break;
			seen += "b" + i;
		} finally {
			seen += "f" + i;
		}
	}
	return seen;
}
print(finallyOnBreak());

try {
	try { throw 1; } finally { print("inner finally"); }
} catch (e) {
	print("outer caught", e);
}

// The second catch clause sees the value the first one threw again.
try { throw 1; } catch (e) { throw e; } catch (f) { print("second clause", f); }

var e = "outer";
try { throw "inner"; } catch (e) { e = "changed"; }
print(e);

function Custom(message) { this.message = message; }
try { throw new Custom("mine"); } catch (x) { print(x instanceof Custom, x.message); }
try { throw new TypeError("bad"); } catch (x) {
	print(x.name, x.message, x instanceof TypeError, x instanceof Error, x instanceof RangeError);
}

// An exception passes through the calls between the throw and the catch,
// running their finally blocks on the way out.
var unwound = "";
function level(n) {
	try {
		if (n == 0) throw "deep";
		return level(n - 1);
	} finally {
		unwound += n;
	}
}
try { level(4); } catch (x) { print(x, unwound); }
