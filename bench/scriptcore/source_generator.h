// Deterministic generators of large ES3 programs in the styles real pages
// carry: library code (functions, closures, loops, regular expressions,
// comments) and data (big object and array literals).
#ifndef BENCH_SCRIPTCORE_SOURCE_GENERATOR_H
#define BENCH_SCRIPTCORE_SOURCE_GENERATOR_H

#include <cstddef>
#include <string>

std::string GenerateLibrary(size_t bytes, unsigned seed);
std::string GenerateData(size_t bytes, unsigned seed);

#endif
