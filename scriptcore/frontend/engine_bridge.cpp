#include "engine_bridge.h"

#include "jsstring.h"
#include "name.h"

JS_Name *FrontInternName(const char *text, uint32_t length)
{
	JS_Name *name = JS_Name::Intern(text, length);
	if (name)
		name->AddRef();
	return name;
}

void FrontReleaseName(JS_Name *name)
{
	name->Release();
}

JS_Name *FrontRetainName(JS_Name *name)
{
	name->AddRef();
	return name;
}

JS_String *FrontMakeString(const char *text, uint32_t length)
{
	JS_String *string = JS_String::Make(text, length);
	if (string)
		string->AddRef();
	return string;
}

void FrontReleaseString(JS_String *string)
{
	string->Release();
}
