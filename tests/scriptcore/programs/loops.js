// exit: 3
// Loops, labels, break and continue; the results travel out in the text
// of an uncaught string.
var sum = 0;
for (var i = 0; i < 10; i++) {
	if (i == 3) continue;
	if (i == 8) break;
	sum += i;
}

var n = 27, steps = 0;
while (n != 1) {
	if (n % 2 == 0) n = n / 2;
	else n = 3 * n + 1;
	steps++;
}

var d = 0;
do d += 5; while (d < 12);

var pairs = "";
outer: for (var a = 1; a <= 4; a++) {
	for (var b = 1; b <= 4; b++) {
		if (b > a) continue outer;
		if (a * b > 6) break outer;
		pairs += a + "" + b + " ";
	}
}

var found = -1;
search: {
	for (var k = 2; k < 100; k++)
		if (k * k > 300) { found = k; break search; }
	found = 0;
}

var count = 0;
for (;;) { if (++count >= 7) break; }

throw "sum " + sum + ", collatz " + steps + ", do " + d + ", pairs " + pairs +
	"found " + found + ", count " + count + ", i " + i;
