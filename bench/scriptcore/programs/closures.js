// Closures: functions made in a loop that keep their own state, and
// functions composed from functions.
function counter(start, step) {
	var n = start;
	return function () { n += step; return n; };
}
function compose(f, g) {
	return function (x) { return f(g(x)); };
}
function inc(x) { return x + 1; }
function dbl(x) { return x * 2; }

var total = 0;
for (var round = 0; round < 10000; round++) {
	var c = counter(round, 3);
	var h = compose(inc, compose(dbl, inc));
	for (var k = 0; k < 50; k++)
		total += h(c()) % 1000;
}
print(total);
