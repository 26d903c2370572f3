// Exceptions thrown by script and by the engine, caught a few calls up.
function Failure(code) {
	this.code = code;
}
function check(i) {
	if (i % 7 == 0) throw new Failure(i);
	if (i % 11 == 0) null.missing;
	return i;
}
function middle(i) {
	return check(i) + 1;
}
var sum = 0, failures = 0, typeErrors = 0, cleanups = 0;
for (var i = 1; i < 600000; i++) {
	try {
		sum += middle(i);
	} catch (e) {
		if (e instanceof Failure) failures += 1;
		else typeErrors += 1;
	} finally {
		cleanups++;
	}
}
print(sum, failures, typeErrors, cleanups);
