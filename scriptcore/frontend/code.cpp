#include "code.h"

#include "engine_bridge.h"

#include "memory.h"

#include <cstdlib>
#include <new>

namespace {

template <typename T>
bool Grow(T **&items, int count, int &capacity)
{
	if (count < capacity)
		return true;
	if (capacity > (1 << 28))
		return false;
	int wanted = capacity ? capacity * 2 : 8;
	T **grown = static_cast<T **>(JS_Realloc(items, sizeof(T *) * static_cast<size_t>(wanted)));
	if (!grown)
		return false;
	items = grown;
	capacity = wanted;
	return true;
}

}  // namespace

bool NameList::Append(JS_Name *name)
{
	if (!name)
		return false;
	if (!Grow(items, count, capacity)) {
		FrontReleaseName(name);
		return false;
	}
	items[count++] = name;
	return true;
}

void NameList::Clear()
{
	for (int i = 0; i < count; i++)
		FrontReleaseName(items[i]);
	std::free(items);
	items = nullptr;
	count = capacity = 0;
}

bool CodeList::Append(FunctionCode *code)
{
	RetainCode(code);
	if (!Grow(items, count, capacity)) {
		ReleaseCode(code);
		return false;
	}
	items[count++] = code;
	return true;
}

void CodeList::Clear()
{
	for (int i = 0; i < count; i++)
		ReleaseCode(items[i]);
	std::free(items);
	items = nullptr;
	count = capacity = 0;
}

FunctionCode *NewFunctionCode()
{
	return JS_New<FunctionCode>();
}

void RetainCode(FunctionCode *code)
{
	code->references++;
}

void ReleaseCode(FunctionCode *code)
{
	if (--code->references > 0)
		return;
	DeleteTree(code->body);
	code->parameters.Clear();
	code->vars.Clear();
	code->functions.Clear();
	if (code->name)
		FrontReleaseName(code->name);
	delete code;
}
