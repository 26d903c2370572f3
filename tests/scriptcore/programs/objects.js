// Objects: constructors and prototypes, this in methods, literals, the in
// and instanceof operators, and delete.
function Point(x, y) {
	this.x = x;
	this.y = y;
}
Point.prototype.norm2 = function () { return this.x * this.x + this.y * this.y; };
var p = new Point(3, 4);
print(p.norm2(), p instanceof Point, p instanceof Object, "x" in p, "norm2" in p, "z" in p);

// What a constructor returns decides the result only when it is an object.
function MadeInside() { this.v = "this"; return { v: "returned" }; }
function ReturnsNumber() { this.v = "this"; return 5; }
print(new MadeInside().v, new ReturnsNumber().v);

// A property added to the prototype later is seen by existing objects.
Point.prototype.kind = "point";
print(p.kind, new Point(0, 0).kind);

var counter = { n: 0, inc: function () { this.n++; return this; } };
counter.inc().inc().inc();
print(counter.n);

var literal = { a: 1, "b c": 2, 3: "three", 1.50: "one and a half", 1e3: "thousand" };
print(literal.a, literal["b c"], literal[3], literal["3"], literal["1.5"], literal[1000]);
var indexed = { 0: "zero", 1: "one" };
print(indexed[0], indexed["1"]);

print(delete literal.a, typeof literal.a, "a" in literal);

var table = {};
for (var i = 0; i < 5; i++) table["k" + i] = i * i;
print(table.k3, table["k4"], table.k5);

var nested = { inner: { deeper: { value: "found" } } };
print(nested.inner.deeper.value, nested["inner"]["deeper"]["value"]);

print(typeof {}, typeof null, typeof Point, typeof p.norm2, typeof p.missing);

// instanceof needs a prototype object to compare with.
function Odd() {}
Odd.prototype = 5;
var odd = new Odd();
try { odd instanceof Odd; } catch (e) { print(e.name, "|", e.message); }
