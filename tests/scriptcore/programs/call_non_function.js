// exit: 3
// Calling a variable that holds no function is an uncaught TypeError that
// names the variable.
var handler;
print("before");
handler("event");
