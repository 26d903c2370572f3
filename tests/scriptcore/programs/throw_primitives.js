// exit: 3
// Large and small numbers take %g's exponent form; only the first
// throw is ever reached.
var big = 1e21, small = 0.0000123456789;
if (big > small) throw big * 10 + small;
throw "not reached";
