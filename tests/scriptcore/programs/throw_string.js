// exit: 3
// An uncaught string is reported in double quotes, as it is.
throw "x";
