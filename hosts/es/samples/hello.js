// A first script for the es shell: a few functions and what they compute.
//   es hosts/es/samples/hello.js
print("Hello from scriptcore.");

function fib(n) {
	return n < 2 ? n : fib(n - 1) + fib(n - 2);
}
var line = "";
for (var i = 0; i <= 12; i++)
	line += (i ? ", " : "") + fib(i);
print("Fibonacci numbers:", line);

function gcd(a, b) {
	while (b != 0) {
		var t = a % b;
		a = b;
		b = t;
	}
	return a;
}
print("gcd(1071, 462) =", gcd(1071, 462));

// Each counter keeps its own count in the scope of the call that made it.
function makeCounter(step) {
	var count = 0;
	return function () { return count += step; };
}
var byOne = makeCounter(1), byTen = makeCounter(10);
byOne(); byTen(); byOne();
print("counters:", byOne(), byTen());

function Point(x, y) {
	this.x = x;
	this.y = y;
}
Point.prototype.toString = function () { return "(" + this.x + ", " + this.y + ")"; };
print("a point:", new Point(3, -4));

try {
	var settings = null;
	settings.verbose = true;
} catch (e) {
	print("caught a " + e.name + ": " + e.message);
}

var start = performance.now();
var big = fib(20);
var ms = performance.now() - start;
console.log("fib(20) =", big, "in", ms - ms % 1, "ms");
