// for-in visits inherited names first, from the deepest prototype, then
// the object's own names in the order they were added; names that are
// DontEnum (such as a function's prototype and constructor) never appear.
function keys(o) {
	var s = "";
	for (var k in o) s += k + " ";
	return s;
}
function Base() {}
Base.prototype.inherited = 1;
var o = new Base();
o.b = 2;
o.a = 3;
print(keys(o));

// An own name hides the inherited one and takes the own position.
o.inherited = "own";
print(keys(o), o.inherited);

// Names added during the loop are not visited; deleted ones are skipped.
var seen = "";
var p = new Object();
p.one = 1; p.two = 2; p.three = 3;
for (var k in p) {
	seen += k + " ";
	if (k == "one") { delete p.two; p.four = 4; }
}
print(seen);

// break, continue and labels inside for-in.
var q = new Object();
q.a = 1; q.b = 2; q.c = 3; q.d = 4;
var picked = "";
for (var k in q) {
	if (k == "b") continue;
	if (k == "d") break;
	picked += k;
}
print(picked);

function f(a, b) {}
print("[" + keys(f) + "]");

var nothing = null;
try { for (var k in nothing) {} } catch (e) { print(e.name, "|", e.message); }
