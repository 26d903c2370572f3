// Closures: each call's variables live on in the functions made during it.
function makeCounter(step) {
	var n = 0;
	return function () { n += step; return n; };
}
var a = makeCounter(1), b = makeCounter(10);
a(); a(); b();
print(a(), b());

// Functions made in one loop share its variable; a call per value gives
// each its own.
var first, second;
for (var i = 0; i < 2; i++) {
	var f = function () { return i; };
	if (i == 0) first = f; else second = f;
}
print(first(), second());
function capture(v) { return function () { return v; }; }
first = capture("x");
second = capture("y");
print(first(), second());

// Two closures over one variable see each other's writes.
function cell() {
	var value = 0;
	function get() { return value; }
	function set(v) { value = v; }
	var pair = new Object();
	pair.get = get;
	pair.set = set;
	return pair;
}
var c1 = cell(), c2 = cell();
c1.set(42);
print(c1.get(), c2.get());

function adder(x) {
	return function (y) {
		return function (z) { return x + y + z; };
	};
}
print(adder(1)(2)(3), adder("a")("b")("c"));

function keepArguments() {
	var args = arguments;
	return function () { return args.length + ":" + args[1]; };
}
print(keepArguments("p", "q", "r")());

function compose(f, g) { return function (x) { return f(g(x)); }; }
function inc(x) { return x + 1; }
function dbl(x) { return x * 2; }
print(compose(inc, dbl)(5), compose(dbl, inc)(5), compose(compose(inc, inc), dbl)(1));
