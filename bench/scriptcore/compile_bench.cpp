// Compile speed: each source is compiled into a program and thrown away;
// Google Benchmark reports bytes_per_second (MB/s of source).
#include "scriptcore.h"
#include "source_generator.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Source {
	std::string name;
	std::string text;
};

std::vector<Source> &Sources()
{
	static std::vector<Source> sources;
	return sources;
}

JS_Object *Global()
{
	static JS_Object *global = [] {
		static const ES_HostOps ops = {};
		ES_Init(&ops, nullptr);
		return ES_CreateGlobalObject();
	}();
	return global;
}

bool ReadFile(const char *path, std::string *out)
{
	std::ifstream in(path, std::ios::binary);
	if (!in)
		return false;
	std::ostringstream text;
	text << in.rdbuf();
	*out = text.str();
	return true;
}

void LoadSources()
{
	Sources().push_back({"generated_library_1MB", GenerateLibrary(1 << 20, 1)});
	Sources().push_back({"generated_library_256KB", GenerateLibrary(256 << 10, 2)});
	Sources().push_back({"generated_data_512KB", GenerateData(512 << 10, 3)});
	// Extra sources named on the command line (--source=PATH), for real
	// programs that may not be committed here.
}

void Compile(benchmark::State &state, const Source *source)
{
	ES_SourceSegment segment = {source->text.data(), static_cast<uint32_t>(source->text.size())};
	ES_SyntaxErrorRecord record;
	record.context = source->name.c_str();
	record.size = sizeof record.buffer;
	for (auto _ : state) {
		ES_Program *program = ES_CompileProgram(Global(), &segment, 1, 0, 1, &record);
		if (!program) {
			state.SkipWithError(record.buffer);
			break;
		}
		ES_DeleteProgram(program);
	}
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(source->text.size()));
}

// Writes each source as the body of a function that is never called, so
// that another engine run on the file does little more than compile it.
int Dump(const char *directory)
{
	for (const Source &s : Sources()) {
		std::string path = std::string(directory) + "/" + s.name + ".js";
		std::ofstream out(path, std::ios::binary);
		out << "function bench_body() {\n" << s.text << "\n}\n";
		if (!out)
			return 1;
		std::printf("%s %zu\n", path.c_str(), s.text.size());
	}
	return 0;
}

}  // namespace

int main(int argc, char **argv)
{
	LoadSources();
	for (int i = 1; i < argc; i++) {
		std::string text;
		if (std::strncmp(argv[i], "--source=", 9) == 0 && ReadFile(argv[i] + 9, &text)) {
			const char *base = std::strrchr(argv[i], '/');
			Sources().push_back({base ? base + 1 : argv[i] + 9, text});
			for (int j = i; j + 1 < argc; j++)
				argv[j] = argv[j + 1];
			argc--;
			i--;
		}
	}
	if (argc == 3 && std::strcmp(argv[1], "--dump") == 0)
		return Dump(argv[2]);
	for (const Source &s : Sources())
		benchmark::RegisterBenchmark(("Compile/" + s.name).c_str(), Compile, &s)->Unit(benchmark::kMillisecond);
	benchmark::Initialize(&argc, argv);
	benchmark::RunSpecifiedBenchmarks();
	benchmark::Shutdown();
	return 0;
}
