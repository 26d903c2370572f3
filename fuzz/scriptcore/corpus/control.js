function f(a, b) { for (var i in a) { if (i) continue; else break; } return a / b / 2; }
x: while (1) { switch (a) { case 1: default: break x; } }
