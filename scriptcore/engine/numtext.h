/*
 * Number to text: the one conversion the engine uses whenever it prints a
 * number (ToString, property names made from numbers, join, ...).
 *
 * Digits are the shortest that read back to the same double under
 * round-to-nearest, stopped by the Steele & White rule with both interval
 * ends excluded; so 1e23 prints as 9.999999999999999e+22.
 */
#ifndef SCRIPTCORE_ENGINE_NUMTEXT_H
#define SCRIPTCORE_ENGINE_NUMTEXT_H

/* Every result, sign and exponent included, fits this many bytes with its
   terminating NUL. */
enum { NUMBER_TEXT_SIZE = 32 };

/* Formats value into out (NUL-terminated) and returns the length. */
int NumberToText(double value, char out[NUMBER_TEXT_SIZE]);

/* The digit generator under NumberToText, for a finite value > 0: writes
   the digits d1...dk (no NUL, k <= 17) and returns k; *point receives n with
   value = 0.d1d2...dk x 10^n. */
int NumberToDigits(double value, char digits[NUMBER_TEXT_SIZE], int *point);

#endif
