// eval runs text in the caller's scope; the Function constructor and
// call and apply make and run functions.
var x = 10;
print(eval("x * 2"), eval("var made = 'declared'; made"), made);
function local() {
	var x = "local";
	return eval("x + '!'");
}
print(local(), eval(42), eval());

eval("function fromEval(a) { return a + 1; }");
print(fromEval(1));

try {
	eval("var broken = ;");
} catch (e) {
	print(e.name);
	print(e.message);
}
print(typeof broken);

var add = new Function("a, b", "c", "return a + b + c;");
print(add(1, 2, 3), add.length);
try { new Function("1a", ""); } catch (e) { print(e.name, "|", e.message); }
try { new Function("a +"); } catch (e) { print(e.name, "|", e.message); }

function who(greeting) { return greeting + " " + this.name; }
var bob = { name: "bob" };
var ann = { name: "ann" };
print(who.call(bob, "hi"), who.apply(ann, ["hello"]));

function sum() {
	var s = 0;
	for (var i = 0; i < arguments.length; i++) s += arguments[i];
	return s;
}
function forward(a, b, c) { return sum.apply(this, arguments); }
print(forward(1, 2, 3), sum.apply(null, [4, 5]), sum.call(null));

var global = this;
function thisOf() { return this; }
print(thisOf.call(null) === global, thisOf.apply(undefined) === global, typeof thisOf.call(5));
