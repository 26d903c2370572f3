// Number.MIN_VALUE is the smallest positive number, as ECMAScript has it,
// and Math.random follows its fixed sequence, scaled by 1/32768 so that
// it stays below 1.
print(Number.MIN_VALUE, Number.MIN_VALUE / 2 > 0, Number.MIN_VALUE > 0);
print(Math.random(), Math.random());
