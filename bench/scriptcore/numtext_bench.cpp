// Number to text: nanoseconds per conversion for typical and hard values.
#include "numtext.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace {

std::vector<double> Values(int kind)
{
	std::mt19937_64 random(42);
	std::vector<double> values;
	while (values.size() < 4096) {
		double v;
		if (kind == 0) {
			v = static_cast<double>(random() % 100000);                 // small integers
		} else if (kind == 1) {
			v = static_cast<double>(random() % 1000000) / 100;          // prices, 2 decimals
		} else {
			uint64_t bits = random();                                     // any double
			std::memcpy(&v, &bits, sizeof v);
			if (v != v || v - v != 0)
				continue;
		}
		values.push_back(v);
	}
	return values;
}

void Convert(benchmark::State &state)
{
	std::vector<double> values = Values(static_cast<int>(state.range(0)));
	char out[NUMBER_TEXT_SIZE];
	size_t i = 0;
	for (auto _ : state) {
		benchmark::DoNotOptimize(NumberToText(values[i++ & 4095], out));
		benchmark::ClobberMemory();
	}
}

}  // namespace

BENCHMARK(Convert)->Arg(0)->Arg(1)->Arg(2);

BENCHMARK_MAIN();
