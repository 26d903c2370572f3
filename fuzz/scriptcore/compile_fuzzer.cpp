// Arbitrary bytes as script source: split into up to three segments at
// places the input chooses, compiled with a report record whose size the
// input also chooses, then thrown away.  Nothing may crash, hang or leak.
#include "scriptcore.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

JS_Object *Global()
{
	static JS_Object *global = [] {
		static const ES_HostOps ops = {};
		ES_Init(&ops, nullptr);
		return ES_CreateGlobalObject();
	}();
	return global;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	if (size < 3)
		return 0;
	JS_Object *global = Global();
	if (!global)
		return 0;
	// The first three bytes choose the cuts and the record size; the rest
	// is the text, copied so that reading past a segment is caught.
	size_t textSize = size - 3;
	std::vector<char> text(data + 3, data + size);
	size_t cut1 = textSize ? data[0] % (textSize + 1) : 0;
	size_t cut2 = cut1 + (textSize - cut1 ? data[1] % (textSize - cut1 + 1) : 0);
	ES_SourceSegment segments[3] = {
		{text.data(), static_cast<uint32_t>(cut1)},
		{text.data() + cut1, static_cast<uint32_t>(cut2 - cut1)},
		{text.data() + cut2, static_cast<uint32_t>(textSize - cut2)},
	};
	ES_SyntaxErrorRecord record;
	std::memset(&record, 'x', sizeof record);
	record.context = (data[2] & 1) ? "in fuzz" : nullptr;
	record.size = static_cast<int32_t>(data[2]) * 8 - 16;
	ES_Program *program = ES_CompileProgram(global, segments, 3, 0, 0, &record);
	if (program)
		ES_DeleteProgram(program);
	else if (record.size > 0)
		(void)std::strlen(record.buffer);
	return 0;
}
