// exit: 3
// An uncaught number is reported in C's %g form.
var x = 0.5;
x = x * 3;
throw x;
