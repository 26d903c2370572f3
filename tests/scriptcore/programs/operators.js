// exit: 3
// Operators and the conversions they make, collected into one text.
var out = "";
checks: {
	out += (7 % 3) + " " + (-7 % 3) + " " + (2 - "5") + " " + ("3" * "4") + " " + (1 / 4) + "|";
	out += (5 & 3) + " " + (5 | 3) + " " + (5 ^ 3) + " " + (~5) + " " + (1 << 31) + " " +
		(-16 >> 2) + " " + (-16 >>> 28) + "|";
	out += ("b" > "a") + " " + ("10" < "9") + " " + (10 < 9) + " " + ("10" < 9) + " " +
		(null == undefined) + " " + (null === undefined) + " " + (NaN == NaN) + "|";
	out += typeof 1 + " " + typeof "s" + " " + typeof true + " " + typeof undefined + " " +
		typeof null + " " + typeof nosuch + "|";
	var x = 5, y;
	y = x++ + ++x;
	out += x + " " + y + " ";
	x -= 3; x *= 4; x <<= 1; x %= 7;
	out += x + "|";
	out += (0 || "left") + " " + (1 && "right") + " " + ("" && nosuch) + " " +
		(1 ? "yes" : "no") + " " + (1, 2, 3) + " " + void 0 + "|";
	out += 1 + 2 + "3" + 4 + 5 + " " + ("" + 0.1 * 3) + " " + (1e21 + 1) + " " + -0 + " " + (1 / 0) + " " +
		(0 / 0) + " " + ("  12  " * 1) + " " + ("0x1f" * 1) + " " + ("" * 1) + " " + ("1e3" * 1) + " " + ("abc" * 1);
}
throw out;
