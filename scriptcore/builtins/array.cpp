// The Array constructor and the methods of Array.prototype (sort is in
// array_sort.cpp).  Methods that move elements work on the indexed table by
// position, so that their cost follows the elements present, not the length.
#include <cmath>
#include <cstdio>

#include "array.h"
#include "builtins.h"
#include "function.h"
#include "native_steps.h"

namespace {

constexpr double kMaxLength = 4294967295.0;

int RaiseTooLong(ES_Context *cx, JS_Frame *self, const char *method)
{
	char text[160];
	std::snprintf(text, sizeof text, "%s: the length would pass 4294967295", method);
	return RaiseWithReport(cx, self, ERROR_RANGE, text);
}

// Writes "length" through the object's own Put, as a script assignment
// would; false when memory runs out.
bool PutLength(ES_Context *cx, JS_Object *o, double length)
{
	JS_Value v;
	v.SetNumber(length);
	return o->PutName(cx, js_names.length, v, o, 0) != 1;
}

// Array(...) and new Array(...) alike.
int ArrayConstructStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	JS_Array *a = JS_Array::Create(cx->global);
	if (!a)
		return RaiseNoMemory(cx, self);
	JS_Value held;
	held.SetObject(a);
	uint32_t n = args->values.Count();
	if (n == 1 && args->values[0].IsNumber()) {
		double d = args->values[0].u.number;
		if (!(d >= 0 && d <= kMaxLength && std::trunc(d) == d)) {
			char text[128];
			std::snprintf(text, sizeof text, "%g", d);
			return RaiseWithText(cx, self, ERROR_RANGE, MSG_ARRAY_LENGTH_RANGE, text);
		}
		if (!a->SetLength(uint32_t(d)))
			return RaiseNoMemory(cx, self);
		return ReturnValue(cx, self, held);
	}
	for (uint32_t i = 0; i < n; ++i)
		if (a->PutIndex(i, args->values[i], a, 0) != 0)
			return RaiseNoMemory(cx, self);
	return ReturnValue(cx, self, held);
}

// ---------------------------------------------------------------------------
// join, toString and toLocaleString

struct JoinMode {
	JS_Name *(*method)();
	int missing;     // message when the element has no such method
	int bad_result;  // message when the method gives a wrong type
};
const JoinMode join_mode = {ToStringName, MSG_ARRAY_JOIN_MISSING, MSG_ARRAY_JOIN_RESULT};
const JoinMode locale_mode = {ToLocaleStringName, MSG_ARRAY_LOCALE_MISSING, MSG_ARRAY_LOCALE_RESULT};

// Working values, after the length and the separator.
enum { J_LENGTH, J_SEPARATOR, J_TEXT, J_INDEX, J_HELD };
enum { JOIN_LOOP = FIRST_FREE_STEP, JOIN_CALLED, JOIN_CONVERTED };

// Elements per activation, so that a long join gives the host its turn
// between slices; a run of holes counts one per separator.
constexpr uint32_t kJoinChunk = 4096;
constexpr uint32_t kHoleChunk = 65536;

// The text of a primitive element when its method is the library's own:
// the result is then known without making a wrapper and calling it.
bool KnownPrimitiveText(ES_Context *cx, const JS_Value &v, const JoinMode &mode, JS_Value *text)
{
	int member;
	bool (*known)(JS_StepFunction);
	switch (v.tag) {
	case VALUE_NUMBER:
		member = JS_Global_Object::NUMBER_PROTOTYPE;
		known = IsNumberToString;
		break;
	case VALUE_STRING:
		member = JS_Global_Object::STRING_PROTOTYPE;
		known = IsStringToString;
		break;
	case VALUE_BOOLEAN:
		member = JS_Global_Object::BOOLEAN_PROTOTYPE;
		known = IsBooleanToString;
		break;
	default:
		return false;
	}
	JS_Object *proto = cx->global->Member(member);
	JS_Value m;
	if (!proto || !mode.method() || !proto->GetName(cx, mode.method(), &m, proto) || !m.IsObject())
		return false;
	auto *f = dynamic_cast<JS_Native_Function *>(m.u.object);
	if (!f || !known(f->Step()))
		return false;
	*text = v;
	return ToStringInPlace(text);
}

// True when a missing element reads as undefined: no object on the chain
// has indexed entries and none asks a host.
bool ChainHasNoElements(JS_Object *self_object)
{
	if (self_object->IsForeign())
		return false;
	for (JS_Object *p = self_object->Prototype(); p; p = p->Prototype())
		if (p->IsForeign() || p->IndexedCount())
			return false;
	return true;
}

int RaiseTextTooLong(ES_Context *cx, JS_Frame *self)
{
	return RaiseWithReport(cx, self, ERROR_ERROR, "Array.prototype.join: the result is too long");
}

// Appends the element's text, and the separator unless it was the last.
bool AppendElement(JS_Frame *self, const JS_String *text, uint32_t k, uint32_t length)
{
	JS_String *acc = self->values[J_TEXT].u.string;
	if (text && !acc->Append(text))
		return false;
	return k + 1 >= length || acc->Append(self->values[J_SEPARATOR].u.string);
}

int JoinRoutine(ES_Context *cx, JS_Frame *args, JS_Frame *self, const JoinMode &mode, bool with_args)
{
	if (IsCallStep(self))
		return CallStep(cx, args, self);
	JS_Object *o = cx->This();
	if (!o)
		return RaiseNoMemory(cx, self);
	bool default_separator = !with_args || args->values.Count() == 0 || args->values[0].IsUndefined();
	uint32_t length, k;
	JS_Value text;

	if (self->step < FIRST_FREE_STEP) {
		int r = PrepareValues(cx, args, self, default_separator ? "L" : "Ls");
		if (r != 0)
			return r;
		JS_String *comma = default_separator ? JS_String::Make(",") : nullptr;
		JS_String *acc = JS_String::Make("");
		JS_Value v, zero;
		zero.SetNumber(0);
		bool ok = acc && (!default_separator || comma);
		if (ok && default_separator) {
			v.SetString(comma);
			ok = self->values.Push(v);
		} else if (comma) {
			JS_String::Free(comma);
		}
		if (ok) {
			v.SetString(acc);
			acc = nullptr;
			ok = self->values.Push(v) && self->values.Push(zero);
		}
		if (acc)
			JS_String::Free(acc);
		if (!ok)
			return RaiseNoMemory(cx, self);
		self->step = JOIN_LOOP;
	}
	length = LengthValue(self->values[J_LENGTH]);
	k = uint32_t(self->values[J_INDEX].u.number);

	switch (self->step) {
	case JOIN_CALLED: {
		JS_Value result;
		int code = TakeCallResult(self, &result);
		if (code == COMPLETION_THROW)
			return code;
		if (result.IsObject()) {
			// Its own toString or valueOf gives the text.
			if (TooDeep(cx))
				return RaiseTooDeep(cx, self);
			if (!self->values.Push(result) || !cx->PushConversion(FRAME_TO_STRING, J_HELD))
				return RaiseNoMemory(cx, self);
			return JOIN_CONVERTED;
		}
		if (result.IsUndefined()) {
			// A method that returns nothing: its text is "undefined".
			text = result;
			if (!ToStringInPlace(&text))
				return RaiseNoMemory(cx, self);
		} else if (result.IsString()) {
			text = result;
		} else {
			return Raise(cx, self, ERROR_TYPE, mode.bad_result);
		}
		if (!AppendElement(self, text.u.string, k, length))
			return RaiseTextTooLong(cx, self);
		++k;
		break;
	}
	case JOIN_CONVERTED:
		if (self->child_code == COMPLETION_THROW)
			return COMPLETION_THROW;
		text = self->values.Top();
		self->values.Truncate(J_HELD);
		if (!text.IsString() || !AppendElement(self, text.u.string, k, length))
			return RaiseTextTooLong(cx, self);
		++k;
		break;
	default:
		break;
	}

	bool skip_holes = ChainHasNoElements(o);
	uint32_t work = 0;
	while (k < length) {
		if (work >= kJoinChunk) {
			self->values[J_INDEX].SetNumber(k);
			return JOIN_LOOP;
		}
		JS_Value v;
		bool present = o->FindIndexEntry(k) != nullptr;
		if (!present && skip_holes) {
			// A run of holes: only separators, appended in one go.
			uint32_t at = o->IndexedLowerBound(k);
			JS_Property *next = o->IndexedEntryAt(at);
			uint64_t end = next && next->key.index < length ? next->key.index : length;
			uint64_t last = end < length ? end : uint64_t(length) - 1;   // no separator after the last
			uint64_t separators = last > k ? last - k : 0;
			const JS_String *sep = self->values[J_SEPARATOR].u.string;
			JS_String *acc = self->values[J_TEXT].u.string;
			// The whole run must fit, or the join fails at once.
			if (uint64_t(acc->length) + separators * sep->length > JS_MAX_STRING_LENGTH)
				return RaiseTextTooLong(cx, self);
			if (separators > kHoleChunk) {
				separators = kHoleChunk;
				end = k + separators;
			}
			if (sep->length)
				for (uint64_t i = 0; i < separators; ++i)
					if (!acc->Append(sep))
						return RaiseTextTooLong(cx, self);
			work += uint32_t(separators / 16) + 1;
			k = uint32_t(end);
			continue;
		}
		o->GetIndex(k, &v, o);
		++work;
		if (v.IsUndefined() || v.IsNull()) {
			if (!AppendElement(self, nullptr, k, length))
				return RaiseTextTooLong(cx, self);
			++k;
			continue;
		}
		if (KnownPrimitiveText(cx, v, mode, &text)) {
			if (!AppendElement(self, text.u.string, k, length))
				return RaiseTextTooLong(cx, self);
			++k;
			continue;
		}
		JS_Value object, method;
		if (!ToObject(cx->global, v, &object) || !mode.method())
			return RaiseNoMemory(cx, self);
		object.u.object->GetName(cx, mode.method(), &method, object.u.object);
		if (!method.IsObject())
			return Raise(cx, self, ERROR_TYPE, mode.missing);
		self->values[J_INDEX].SetNumber(k);
		return PushCallSubstep(cx, self, method.u.object, object.u.object, nullptr, 0, JOIN_CALLED);
	}
	return ReturnValue(cx, self, JS_Value(self->values[J_TEXT]));
}

int ArrayJoin(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	return JoinRoutine(cx, args, self, join_mode, true);
}

int ArrayToString(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	return JoinRoutine(cx, args, self, join_mode, false);
}

int ArrayToLocaleString(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	return JoinRoutine(cx, args, self, locale_mode, true);
}

// ---------------------------------------------------------------------------

// The length of an item that concat spreads, read as a number.
uint32_t ItemLength(ES_Context *cx, JS_Object *o)
{
	if (auto *a = dynamic_cast<JS_Array *>(o))
		return a->Length();
	JS_Value v;
	o->GetName(cx, js_names.length, &v, o);
	return v.IsObject() ? 0 : ToUint32(ToNumber(v));
}

// Entries copied per activation by concat and slice, so that copying a
// long array gives the host its turn.
constexpr uint32_t kCopyChunk = 16384;

// concat's working values: the new array, the item being copied (0 is
// this), the next key to copy from it and where its elements start.
enum { C_RESULT, C_ITEM, C_KEY, C_OFFSET };
enum { CONCAT_COPY = 1 };

int ArrayConcat(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	JS_Object *o = cx->This();
	if (!o)
		return RaiseNoMemory(cx, self);
	uint32_t argc = args->values.Count();
	auto item = [&](uint32_t i) -> JS_Value {
		JS_Value v;
		if (i == 0)
			v.SetObject(o);
		else
			v = args->values[i - 1];
		return v;
	};
	if (self->step == 0) {
		// The whole length first: nothing is made when it would not fit.
		uint64_t total = 0;
		for (uint32_t i = 0; i <= argc; ++i) {
			JS_Value e = item(i);
			total += e.IsObject() && e.u.object->IsArray() ? ItemLength(cx, e.u.object) : 1;
		}
		if (total > uint64_t(kMaxLength))
			return RaiseTooLong(cx, self, "Array.prototype.concat");
		JS_Array *a = JS_Array::Create(cx->global);
		if (!a)
			return RaiseNoMemory(cx, self);
		JS_Value held, zero;
		held.SetObject(a);
		zero.SetNumber(0);
		self->values.Clear();
		if (!self->values.Push(held) || !self->values.Push(zero) || !self->values.Push(zero) ||
		    !self->values.Push(zero))
			return RaiseNoMemory(cx, self);
	}
	auto *a = static_cast<JS_Array *>(self->values[C_RESULT].u.object);
	uint32_t i = uint32_t(self->values[C_ITEM].u.number);
	double key = self->values[C_KEY].u.number;
	uint32_t n = uint32_t(self->values[C_OFFSET].u.number);
	uint32_t work = 0;
	for (; i <= argc; ++i, key = 0) {
		JS_Value e = item(i);
		if (!(e.IsObject() && e.u.object->IsArray())) {
			if (a->PutIndex(n, e, a, 0) != 0)
				return RaiseNoMemory(cx, self);
			++n;
			continue;
		}
		JS_Object *from = e.u.object;
		uint32_t length = ItemLength(cx, from);
		// Holes stay holes; elements of prototypes are not copied.
		for (uint32_t p = key < length ? from->IndexedLowerBound(uint32_t(key)) : from->IndexedCount();
		     p < from->IndexedCount(); ++p) {
			JS_Property *entry = from->IndexedEntryAt(p);
			if (entry->key.index >= length)
				break;
			if (++work > kCopyChunk) {
				self->values[C_ITEM].SetNumber(i);
				self->values[C_KEY].SetNumber(entry->key.index);
				self->values[C_OFFSET].SetNumber(n);
				return CONCAT_COPY;
			}
			if (a->PutIndex(n + entry->key.index, JS_Value(entry->value), a, 0) != 0)
				return RaiseNoMemory(cx, self);
		}
		n += length;
	}
	if (!a->SetLength(n))
		return RaiseNoMemory(cx, self);
	return ReturnValue(cx, self, JS_Value(self->values[C_RESULT]));
}

int ArrayPop(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	int r = PrepareValues(cx, args, self, "L");
	if (r != 0)
		return r;
	JS_Object *o = cx->This();
	uint32_t length = LengthValue(self->values[0]);
	JS_Value v;
	if (length > 0) {
		o->GetIndex(length - 1, &v, o);
		o->DeleteIndex(length - 1);
		--length;
	}
	if (!PutLength(cx, o, length))
		return RaiseNoMemory(cx, self);
	return ReturnValue(cx, self, v);
}

int ArrayPush(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	int r = PrepareValues(cx, args, self, "L");
	if (r != 0)
		return r;
	JS_Object *o = cx->This();
	uint64_t length = LengthValue(self->values[0]);
	uint32_t n = args->values.Count();
	if (length + n > uint64_t(kMaxLength))
		return RaiseTooLong(cx, self, "Array.prototype.push");
	for (uint32_t i = 0; i < n; ++i)
		if (o->PutIndex(uint32_t(length + i), args->values[i], o, 0) == 1)
			return RaiseNoMemory(cx, self);
	if (!PutLength(cx, o, double(length + n)))
		return RaiseNoMemory(cx, self);
	return ReturnNumber(cx, self, double(length + n));
}

// The own entries below the length change places with their mirror images;
// holes move with them.  Prototypes play no part.
int ArrayReverse(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	int r = PrepareValues(cx, args, self, "L");
	if (r != 0)
		return r;
	JS_Object *o = cx->This();
	uint32_t length = LengthValue(self->values[0]);
	if (length > 0) {
		uint32_t last = length - 1;
		uint32_t count = o->IndexedLowerBound(length);
		for (uint32_t i = 0, j = count; i + 1 < j; ++i, --j) {
			JS_Property *a = o->IndexedEntryAt(i), *b = o->IndexedEntryAt(j - 1);
			std::swap(a->flags, b->flags);
			std::swap(a->key, b->key);
			JS_Value t = std::move(a->value);
			a->value = std::move(b->value);
			b->value = std::move(t);
		}
		for (uint32_t i = 0; i < count; ++i) {
			JS_Property *p = o->IndexedEntryAt(i);
			p->key.index = last - p->key.index;
		}
	}
	return ReturnObject(cx, self, o);
}

int ArrayShift(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	int r = PrepareValues(cx, args, self, "L");
	if (r != 0)
		return r;
	JS_ReleaseHold hold;
	JS_Object *o = cx->This();
	uint32_t length = LengthValue(self->values[0]);
	JS_Value first;
	if (length > 0) {
		o->GetIndex(0, &first, o);
		JS_Property *p = o->IndexedEntryAt(0);
		if (p && p->key.index == 0)
			o->RemoveIndexedAt(0);
		for (uint32_t i = 0; i < o->IndexedCount(); ++i) {
			p = o->IndexedEntryAt(i);
			if (p->key.index >= length)
				break;
			--p->key.index;
		}
		--length;
	}
	if (!PutLength(cx, o, length))
		return RaiseNoMemory(cx, self);
	return ReturnValue(cx, self, first);
}

int ArrayUnshift(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	int r = PrepareValues(cx, args, self, "L");
	if (r != 0)
		return r;
	JS_ReleaseHold hold;
	JS_Object *o = cx->This();
	uint32_t length = LengthValue(self->values[0]);
	uint32_t n = args->values.Count();
	if (uint64_t(length) + n > uint64_t(kMaxLength))
		return RaiseTooLong(cx, self, "Array.prototype.unshift");
	if (n > 0) {
		// Entries from the length up to length + n are where the shifted
		// elements land, so they go; the ones below the length move up.
		uint32_t below = o->IndexedLowerBound(length);
		uint32_t landing = o->IndexedLowerBound(length + n);
		if (!OpenSlots(o, 0, n))
			return RaiseNoMemory(cx, self);
		CloseSlots(o, n + below, landing - below);
		for (uint32_t i = n; i < n + below; ++i)
			o->IndexedEntryAt(i)->key.index += n;
		for (uint32_t i = 0; i < n; ++i) {
			JS_Property *p = o->IndexedEntryAt(i);
			p->key.index = i;
			p->value = args->values[i];
		}
	}
	double new_length = double(length) + n;
	if (!PutLength(cx, o, new_length))
		return RaiseNoMemory(cx, self);
	return ReturnNumber(cx, self, new_length);
}

int ArraySlice(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	bool has_end = args->values.Count() >= 2 && !args->values[1].IsUndefined();
	// Working values after the length, start and end: the new array and the
	// next key to copy.
	const uint32_t result_slot = has_end ? 3 : 2;
	const uint32_t key_slot = result_slot + 1;
	JS_Object *o = cx->This();
	if (self->step < FIRST_FREE_STEP) {
		int r = PrepareValues(cx, args, self, has_end ? "Lnn" : "Ln");
		if (r != 0)
			return r;
		JS_Array *a = JS_Array::Create(cx->global);
		if (!a)
			return RaiseNoMemory(cx, self);
		JS_Value held, start;
		held.SetObject(a);
		start.SetNumber(RelativePosition(self->values[1].u.number, LengthValue(self->values[0])));
		if (!self->values.Push(held) || !self->values.Push(start))
			return RaiseNoMemory(cx, self);
	}
	uint32_t length = LengthValue(self->values[0]);
	uint32_t start = RelativePosition(self->values[1].u.number, length);
	uint32_t end = has_end ? RelativePosition(self->values[2].u.number, length) : length;
	auto *a = static_cast<JS_Array *>(self->values[result_slot].u.object);
	if (end > start) {
		uint32_t work = 0;
		uint32_t from = uint32_t(self->values[key_slot].u.number);
		for (uint32_t p = o->IndexedLowerBound(from); p < o->IndexedCount(); ++p) {
			JS_Property *entry = o->IndexedEntryAt(p);
			if (entry->key.index >= end)
				break;
			if (++work > kCopyChunk) {
				self->values[key_slot].SetNumber(entry->key.index);
				return FIRST_FREE_STEP;
			}
			if (a->PutIndex(entry->key.index - start, JS_Value(entry->value), a, 0) != 0)
				return RaiseNoMemory(cx, self);
		}
		// Holes keep their places, those at the end included.
		if (!a->SetLength(end - start))
			return RaiseNoMemory(cx, self);
	}
	return ReturnValue(cx, self, JS_Value(self->values[result_slot]));
}

int ArraySplice(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	uint32_t argc = args->values.Count();
	if (argc < 2)
		return ReturnObject(cx, self, JS_Array::Create(cx->global));
	int r = PrepareValues(cx, args, self, "Lnn");
	if (r != 0)
		return r;
	JS_ReleaseHold hold;
	JS_Object *o = cx->This();
	uint32_t length = LengthValue(self->values[0]);
	uint32_t start = RelativePosition(self->values[1].u.number, length);
	double count = ToIntegerValue(self->values[2].u.number);
	uint32_t room = length - start;
	uint32_t removed = count <= 0 ? 0 : count >= room ? room : uint32_t(count);
	uint32_t items = argc - 2;
	uint64_t new_length = uint64_t(length) - removed + items;
	if (new_length > uint64_t(kMaxLength))
		return RaiseTooLong(cx, self, "Array.prototype.splice");

	JS_Array *a = JS_Array::Create(cx->global);
	if (!a)
		return RaiseNoMemory(cx, self);
	JS_Value held;
	held.SetObject(a);
	uint32_t first = o->IndexedLowerBound(start);
	uint32_t after = o->IndexedLowerBound(start + removed);
	for (uint32_t p = first; p < after; ++p) {
		JS_Property *entry = o->IndexedEntryAt(p);
		if (a->PutIndex(entry->key.index - start, JS_Value(entry->value), a, 0) != 0)
			return RaiseNoMemory(cx, self);
	}
	if (!a->SetLength(removed))
		return RaiseNoMemory(cx, self);

	// The elements after the removed ones move by items - removed.  When
	// they move up, entries at or past the length where they land go.
	uint32_t below = o->IndexedLowerBound(length);
	uint32_t landing = below;
	if (items > removed)
		landing = o->IndexedLowerBound(uint32_t(uint64_t(length) + items - removed));
	// Room for the items first: the only step that can fail.
	if (!OpenSlots(o, after, items))
		return RaiseNoMemory(cx, self);
	CloseSlots(o, below + items, landing - below);
	for (uint32_t p = after + items; p < below + items; ++p) {
		JS_Property *entry = o->IndexedEntryAt(p);
		entry->key.index = uint32_t(uint64_t(entry->key.index) + items - removed);
	}
	for (uint32_t i = 0; i < items; ++i) {
		JS_Property *entry = o->IndexedEntryAt(after + i);
		entry->key.index = start + i;
		entry->value = args->values[2 + i];
	}
	CloseSlots(o, first, after - first);
	if (!PutLength(cx, o, double(new_length)))
		return RaiseNoMemory(cx, self);
	return ReturnValue(cx, self, held);
}

} // namespace

JS_Object *MakeArrayConstructor(JS_Global_Object *global)
{
	return JS_Builtin_Constructor::Create(global, "Array", ArrayConstructStep, ArrayConstructStep, -1);
}

bool InstallArrayPrototypeMethods(JS_Global_Object *global)
{
	static const JS_NativeFunctionDescriptor methods[] = {
		{"toString", ArrayToString, 0, -1, PROP_DONT_ENUM},
		{"toLocaleString", ArrayToLocaleString, 0, -1, PROP_DONT_ENUM},
		{"concat", ArrayConcat, 0, -1, PROP_DONT_ENUM},
		{"join", ArrayJoin, 1, -1, PROP_DONT_ENUM},
		{"pop", ArrayPop, 0, -1, PROP_DONT_ENUM},
		{"push", ArrayPush, 1, -1, PROP_DONT_ENUM},
		{"reverse", ArrayReverse, 0, -1, PROP_DONT_ENUM},
		{"shift", ArrayShift, 0, -1, PROP_DONT_ENUM},
		{"slice", ArraySlice, 1, -1, PROP_DONT_ENUM},
		{"sort", ArraySortStep, 1, -1, PROP_DONT_ENUM},
		{"splice", ArraySplice, 2, -1, PROP_DONT_ENUM},
		{"unshift", ArrayUnshift, 1, -1, PROP_DONT_ENUM},
	};
	return InstallNativeFunctions(
		static_cast<JS_Native_Object *>(global->Member(JS_Global_Object::ARRAY_PROTOTYPE)), methods,
		int(sizeof methods / sizeof methods[0]), global);
}
