// with puts an object in front of the scope chain for its body.
var o = new Object();
o.x = 1;
var y = "global y";
with (o) {
	x = 2;
	y = 3;
}
print(o.x, typeof o.y, y);
with (o) print(x + 10);

function reader() {
	with (o) {
		return function () { return x; };
	}
}
var read = reader();
o.x = 99;
print(read());

var n = null;
try { with (n) x; } catch (e) { print(e.name, "|", e.message); }
