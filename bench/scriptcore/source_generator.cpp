#include "source_generator.h"

#include <cstdint>
#include <string>

namespace {

class Random {
public:
	explicit Random(unsigned seed) : state_(seed * 2654435761u + 1) {}
	unsigned Next(unsigned below)
	{
		state_ ^= state_ << 13;
		state_ ^= state_ >> 17;
		state_ ^= state_ << 5;
		return state_ % below;
	}

private:
	uint32_t state_;
};

const char *const kWords[] = {"node", "value", "index", "options", "result", "element", "count", "name",
	"handler", "callback", "list", "item", "data", "key", "target", "source", "offset", "length", "style",
	"parent", "child", "event", "queue", "cache", "buffer", "token", "match", "width", "height", "left"};

std::string Word(Random &r)
{
	return kWords[r.Next(sizeof kWords / sizeof kWords[0])];
}

std::string Expression(Random &r, int depth)
{
	if (depth > 2)
		return Word(r);
	switch (r.Next(12)) {
	case 0: return Word(r) + "." + Word(r);
	case 1: return Word(r) + "[" + Expression(r, depth + 1) + "]" + (depth ? "" : "[" + Word(r) + ".length - 1]");
	case 2: return Expression(r, depth + 1) + " + " + Expression(r, depth + 1);
	case 3: return "(" + Expression(r, depth + 1) + " * " + std::to_string(r.Next(1000)) + ") / 2";
	case 4: return Word(r) + "(" + Expression(r, depth + 1) + ", " + Expression(r, depth + 1) + ")";
	case 5: return "\"" + Word(r) + " " + Word(r) + "\\n\"";
	case 6: return Expression(r, depth + 1) + " ? " + Expression(r, depth + 1) + " : null";
	case 7: return "/^" + Word(r) + "\\s*(\\d+)$/i.test(" + Word(r) + ")";
	case 8: return "typeof " + Word(r) + " === 'function'";
	case 9: return std::to_string(r.Next(100000)) + "." + std::to_string(r.Next(100));
	case 10: return "!" + Word(r) + " || " + Word(r) + ".length > " + std::to_string(r.Next(64));
	default: return "new " + std::string(r.Next(2) ? "Array" : "Object") + "()";
	}
}

void Statement(std::string &out, Random &r, int depth, const std::string &indent)
{
	switch (depth > 2 ? r.Next(3) : r.Next(9)) {
	case 0:
		out += indent + "var " + Word(r) + " = " + Expression(r, 0) + ";\n";
		break;
	case 1:
		out += indent + Word(r) + "." + Word(r) + " = " + Expression(r, 0) + ";\n";
		break;
	case 2:
		out += indent + "// " + Word(r) + " the " + Word(r) + " when it is a " + Word(r) + "\n";
		out += indent + Word(r) + "(" + Expression(r, 0) + ");\n";
		break;
	case 3:
		out += indent + "if (" + Expression(r, 0) + ") {\n";
		Statement(out, r, depth + 1, indent + "\t");
		out += indent + "} else {\n";
		Statement(out, r, depth + 1, indent + "\t");
		out += indent + "}\n";
		break;
	case 4:
		out += indent + "for (var i = 0; i < " + Word(r) + ".length; i++) {\n";
		Statement(out, r, depth + 1, indent + "\t");
		Statement(out, r, depth + 1, indent + "\t");
		out += indent + "}\n";
		break;
	case 5:
		out += indent + "for (var k in " + Word(r) + ") {\n" + indent + "\tif (!" + Word(r) +
		       ".hasOwnProperty(k)) continue;\n";
		Statement(out, r, depth + 1, indent + "\t");
		out += indent + "}\n";
		break;
	case 6:
		out += indent + "try {\n";
		Statement(out, r, depth + 1, indent + "\t");
		out += indent + "} catch (e) {\n" + indent + "\t" + Word(r) + " = e.message;\n" + indent + "}\n";
		break;
	case 7:
		out += indent + "switch (" + Word(r) + ".type) {\n" + indent + "case 'a':\n";
		Statement(out, r, depth + 1, indent + "\t");
		out += indent + "\tbreak;\n" + indent + "default:\n";
		Statement(out, r, depth + 1, indent + "\t");
		out += indent + "}\n";
		break;
	default:
		out += indent + "/* " + Word(r) + " / " + Word(r) + " */\n";
		out += indent + "return " + Expression(r, 0) + ";\n";
		break;
	}
}

}  // namespace

std::string GenerateLibrary(size_t bytes, unsigned seed)
{
	Random r(seed);
	std::string out = "/*\n * Generated library code.\n */\n";
	int n = 0;
	while (out.size() < bytes) {
		std::string name = Word(r) + std::to_string(n++);
		if (r.Next(2)) {
			out += "function " + name + "(" + Word(r) + ", " + Word(r) + ") {\n";
		} else {
			out += "lib." + name + " = function (" + Word(r) + ") {\n";
		}
		int statements = 3 + static_cast<int>(r.Next(8));
		for (int i = 0; i < statements; i++)
			Statement(out, r, 0, "\t");
		out += "}\n\n";
	}
	return out;
}

std::string GenerateData(size_t bytes, unsigned seed)
{
	Random r(seed);
	std::string out = "var table = [\n";
	int n = 0;
	while (out.size() < bytes) {
		out += "\t{id: " + std::to_string(n++) + ", name: \"" + Word(r) + " " + Word(r) + "\", " + Word(r) +
		       ": " + std::to_string(r.Next(1000000)) + "." + std::to_string(r.Next(1000)) + ", tags: [\"" +
		       Word(r) + "\", \"" + Word(r) + "\"], ok: " + (r.Next(2) ? "true" : "false") + ", ratio: 0x" +
		       std::to_string(r.Next(9999)) + ", " + "\"" + Word(r) + "-key\": '\\u00e9\\t" + Word(r) + "'},\n";
	}
	out += "\t{}\n];\n";
	return out;
}
