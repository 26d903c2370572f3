// Number.MIN_VALUE is the smallest normalised double, and Math.random
// follows its fixed sequence, scaled by 1/32767 so that both 0 and 1 can
// come out.
print(Number.MIN_VALUE, Number.MIN_VALUE / 2 > 0);
print(Math.random());
