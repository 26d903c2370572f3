// exit: 3
// Recursion without end stops at the frame limit with the engine's report;
// no script code can catch that.
function down(n) { return down(n + 1) + 1; }
print("start");
try {
	down(0);
} catch (e) {
	print("caught", e);
}
print("not reached");
