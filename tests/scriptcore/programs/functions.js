// Function declarations and calls: hoisting, recursion, return values,
// parameters, the arguments object and named function expressions.
print(square(7));
function square(x) { return x * x; }

function fact(n) { return n <= 1 ? 1 : n * fact(n - 1); }
print(fact(10), fact(20));

function ack(m, n) {
	return m == 0 ? n + 1 : n == 0 ? ack(m - 1, 1) : ack(m - 1, ack(m, n - 1));
}
print(ack(2, 3));

function sumTo(n) { return n == 0 ? 0 : n + sumTo(n - 1); }
print(sumTo(1000));

function nothing() {}
function early(x) { if (x) return; return "late"; }
print(nothing(), early(true), early(false));

function count() { return arguments.length; }
print(count(), count(1, 2, 3), count(undefined));

function sum() {
	var s = 0;
	for (var i = 0; i < arguments.length; i++)
		s += arguments[i];
	return s;
}
print(sum(1, 2, 3, 4.5));

// An argument and its parameter are one variable; a missing argument has
// no element to alias.
function setFirst(a) { arguments[0] = 5; return a; }
function setParam(a) { a = 7; return arguments[0]; }
print(setFirst(1), setFirst(), setParam(1));

function two(a, b) {}
print(two.length, typeof two, typeof two.prototype, two.prototype.constructor === two);

// A nested function and a var of one name; a parameter overrides a nested
// function of its name, even when no argument is given.
function shadow() { var g; function g() {} return typeof g; }
function param(g) { function g() {} return typeof g; }
function declaredArguments() { var arguments; return typeof arguments; }
print(shadow(), param(1), param(), declaredArguments());

var fe = function fact2(n) { return n <= 1 ? 1 : n * fact2(n - 1); };
print(fe(6), typeof fact2);

function outer() {
	function inner(y) { return y * 3; }
	return inner(inner(2));
}
print(outer());

function self() { return this; }
print(self() === this);

// Arguments are evaluated left to right, before the call.
var log = "";
function note(v) { log += v; return v; }
function three(a, b, c) { return a + b + c; }
print(three(note(1), note(2), note(3)), log);
