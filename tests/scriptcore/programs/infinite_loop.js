// exit: 3
// A for loop with no condition, body or update can never end: the engine
// stops it on its first pass instead of spinning.
var before = 1;
for (;;);
before = 2;
