// The shell's host functions: print and console.log write their arguments
// as strings, joined by one space, then a newline; performance.now counts
// milliseconds.
print("a", 1, true, null, undefined, 1.5e-7, -0, 1 / 0);
print();
print("");
console.log("log", 2 + 2, "and", "more");

var shown = new Object();
shown.toString = function () { return "custom"; };
print(shown, "and", shown);

// The engine converts the second argument first and the first one last.
var order = "";
function Named(name) { this.name = name; }
Named.prototype.toString = function () { order += this.name; return this.name; };
print(new Named("x"), new Named("y"), new Named("z"));
print(order);

var t0 = performance.now(), t1 = performance.now();
print(typeof t0, t0 >= 0, t1 >= t0);
print(typeof print, typeof console, typeof console.log, typeof performance.now);
print(print("inner"));

// Every argument arrives, however many there are.
var many = [];
for (var i = 0; i < 300; i++) many.push(i);
print.apply(null, many);
console.log.apply(console, many.slice(290));
