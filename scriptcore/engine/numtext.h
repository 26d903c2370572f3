#ifndef SCRIPTCORE_ENGINE_NUMTEXT_H
#define SCRIPTCORE_ENGINE_NUMTEXT_H

// Formats a number as script text into out (every result fits in 32 bytes)
// and returns the length.
int NumberToText(double v, char out[32]);

#endif
