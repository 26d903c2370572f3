// Behaviour that scripts rely on where a literal reading of the rules
// would go wrong.
var global = this;

// A method that throws leaves this as it was for the code that caught it.
var o = { m: function () { throw "from m"; } };
try { o.m(); } catch (e) {}
print(this === global);
function F() { throw "from F"; }
try { new F(); } catch (e) {}
print(this === global);

// Number-like names in object literals are the same properties as the
// indexes that read them.
var m = { 1: "one", 0: "zero" };
print(m[1], m["1"], m[0], ({ 0: "x" })[0]);

// Index keys of 2^31 and above come out of for-in unsigned.
var big = {};
big[3000000000] = "b";
big[4294967294] = "c";
var keys = "";
for (var k in big) keys += k + " ";
print(keys);

// apply hands on the values behind an arguments object.
function pair(a, b) { return a + "/" + b; }
function relay(a, b) { a = "changed"; return pair.apply(this, arguments); }
print(relay("p", "q"));

// A function with no body still constructs an object.
print(typeof new (new Function()));

// parseInt with a radix that is not a number gives NaN; parseFloat reads
// digits, a fraction and an exponent, and the hexadecimal form.
print(parseInt("12", NaN), parseInt("12", 1 / 0), parseInt("12", 0), parseInt("ff", 16));
print(parseFloat("info"), parseFloat("1.5e3x"), parseFloat("0x10"), parseFloat("  -2.5"));
