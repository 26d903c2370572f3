// exit: 1
// A syntax error on line 5: the report shows that line with a caret after
// the last token read, and nothing runs.
var ok = 1;
var broken = ok + * 2;
throw "not reached";
