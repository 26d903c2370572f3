#include "front_fake_engine.h"

#include "engine_bridge.h"

#include <map>
#include <string>

class JS_Name {
public:
	std::string text;
	int count = 0;
};

class JS_String {
public:
	std::string text;
};

namespace {

std::map<std::string, JS_Name *> &Table()
{
	static std::map<std::string, JS_Name *> table;
	return table;
}

int liveStrings = 0;

}  // namespace

JS_Name *FrontInternName(const char *text, uint32_t length)
{
	std::string key(text, length);
	JS_Name *&name = Table()[key];
	if (!name) {
		name = new JS_Name;
		name->text = key;
	}
	name->count++;
	return name;
}

JS_Name *FrontRetainName(JS_Name *name)
{
	name->count++;
	return name;
}

void FrontReleaseName(JS_Name *name)
{
	if (--name->count == 0) {
		Table().erase(name->text);
		delete name;
	}
}

JS_String *FrontMakeString(const char *text, uint32_t length)
{
	liveStrings++;
	JS_String *s = new JS_String;
	s->text.assign(text, length);
	return s;
}

void FrontReleaseString(JS_String *string)
{
	liveStrings--;
	delete string;
}

int LiveNames()
{
	return static_cast<int>(Table().size());
}

int LiveStrings()
{
	return liveStrings;
}

std::string NameText(const JS_Name *name)
{
	return name ? name->text : std::string();
}
