// Numbers as text, Number and Boolean, and Math.
print(1e21, 1e20, 0.000001, 1e-7, 123e-20, -1e-7, 5e-324, Number.MAX_VALUE);
print(9007199254740992 + 1, 0.1 + 0.7, 1 / 3, 2 / 3, 100 / 7, -0, 3.0);
print((255).toString(16), (255).toString(2), (-255).toString(36), (255).toString(), (1.5).toString(10));
print(Number("  42  "), Number(""), Number("0x1A"), Number("1e3"), Number("12px"), Number(true), Number(null));
print(new Number(7) + 1, typeof new Number(7), typeof Number("7"), new Boolean(false) ? "object is true" : "");
print(Math.floor(-2.5), Math.ceil(-2.5), Math.round(2.5), Math.round(-2.5), Math.round(-0.2), Math.abs(-3));
print(Math.max(), Math.min(), Math.max(1, 5, 3), Math.min(4, -1), Math.max(1, NaN), Math.pow(2, 10), Math.sqrt(2));
print(Math.PI, Math.E, Math.atan2(1, 1) * 4 == Math.PI);
