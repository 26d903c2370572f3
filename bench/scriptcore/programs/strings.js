// String concatenation, and strings as property names of an object used
// as a table.
var table = new Object();
var keys = 0, text = "";
for (var i = 0; i < 200000; i++) {
	var key = "k" + (i % 5000);
	if (table[key] === undefined) {
		table[key] = "";
		keys++;
	}
	table[key] = table[key] + (i % 10);
	if (i % 1000 == 0)
		text = "";
	text = text + "<" + i + ">";
}
// The last text runs from "<199000>" to "<199999>".
print(keys, table.k42, text > "<199000>", text < "<199001>");
