// Arrays: literals, length, the common methods, and for-in over elements.
var a = [3, 1, 2];
print(a.length, a[0], a[2], a[3]);
a[5] = "five";
print(a.length, a[4], a.join("-"));
a.length = 2;
print(a.length, a.join(), a[2]);

var list = [];
for (var i = 0; i < 5; i++) list.push(i * i);
print(list.join(" "), list.pop(), list.length);
print(list.reverse().join(","), list.slice(1, 3).join(","), list.concat([7, 8], 9).join(","));

var words = ["pear", "apple", "fig", "banana"];
print(words.sort().join(" "));
print(words.sort(function (x, y) { return x.length - y.length; }).join(" "));
var numbers = [10, 9, 100, 1];
print(numbers.sort().join(" "), numbers.sort(function (x, y) { return x - y; }).join(" "));

// A trailing comma counts as an element, and so does each elision after it;
// a literal of elisions alone is empty.
print([1, 2, ].length, [1, 2, , ].length, [, , ].length, [5].length, [undefined].length);
print([1, [2, 3], "s", null, undefined].join("|"));

var nested = [[1, 2], [3, 4]];
var total = 0;
for (var r = 0; r < nested.length; r++)
	for (var c = 0; c < nested[r].length; c++)
		total += nested[r][c];
print(total);

// for-in gives the named properties, then the elements in order.
var withName = [10, 20];
withName.p = "named";
var keys = "";
for (var k in withName) keys += k + " ";
print(keys);
print(typeof [], [] instanceof Array, [] instanceof Object);
