// exit: 3
// Reading a name that no scope has is a ReferenceError, reported after the
// statements before it have run.
var total = 1;
total = total * 10;
total = total + missing;
