// switch: strict matching in clause order, fall-through, a default placed
// among the cases, and break and continue inside loops.
function kind(x) {
	switch (x) {
	case 1: return "one";
	case "1": return "string one";
	case 2:
	case 3: return "two or three";
	default: return "other";
	case 4: return "four";
	}
}
print(kind(1), kind("1"), kind(3), kind(4), kind(5), kind(true));

function fall(x) {
	var s = "";
	switch (x) {
	case 1: s += "a";
	case 2: s += "b"; break;
	case 3: s += "c";
	default: s += "d";
	case 4: s += "e";
	}
	return s;
}
print(fall(1), fall(2), fall(3), fall(4), fall(9));

var out = "";
for (var i = 0; i < 4; i++) {
	switch (i) {
	case 1: continue;
	case 2: break;
	default: out += i;
	}
	out += ".";
}
print(out);

// Case expressions are evaluated only until one matches.
var log = "";
function c(v) { log += v; return v; }
switch (2) { case c(1): break; case c(2): break; case c(3): break; }
print(log);

var hits = 0;
found: for (var j = 0; j < 10; j++) {
	switch (j % 3) {
	case 0: hits++; break;
	case 2: if (j > 6) break found;
	}
}
print(j, hits);
