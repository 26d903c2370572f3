// exit: 3
// String literals, escapes, concatenation and byte-wise comparison.
var s = "tab\there" + ' \x41\u0042' + "\q" + "a\
b";
var order = ("apple" < "banana") + " " + ("Zebra" < "apple") + " " + ("abc" < "abcd") +
	" " + ("abd" > "abcd") + " " + ("" < "a") + " " + ("10" > "9");
var numbers = "" + 1 / 3 + " " + 100 + " " + 1e-7 + " " + 123456789012345680000 + " " + -1.5e300 * 1e10;
throw s + "|" + order + "|" + numbers;
