AAAa = 1 + 2;
var x = [1, , "s\x41"], y = {a: 1, "b": /re/g, 3: f(x)};
