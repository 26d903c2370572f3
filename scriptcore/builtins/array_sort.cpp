// Array.prototype.sort: a merge sort run as a resumable step machine.
//
// The elements present below the length are copied into the routine's own
// value vector and sorted there; only the finished order is written back.
// So a comparator that throws leaves the object as it was, one that changes
// the object under the sort cannot make the sort lose or repeat elements,
// and any comparator, however inconsistent, ends after n log n comparisons.
// The cost follows the elements present, not the length.
#include <cstring>

#include "array.h"
#include "builtins.h"
#include "native_steps.h"

namespace {

// Working values.  Each element takes two slots, its value and (without a
// comparator) its text; buffer 0 holds the elements as collected, buffer 1
// is the other half of the merge.
enum {
	S_LENGTH,
	S_COMPARE,
	S_COUNT,     // defined elements
	S_UNDEF,     // undefined elements, which go last without comparison
	S_NEXT,      // next key to collect, then next element to convert
	S_WIDTH,     // merge: run width
	S_LO,        // merge: start of the pair of runs
	S_I,         // merge: next of the left run
	S_J,         // merge: next of the right run
	S_K,         // merge: next place in the output
	S_SOURCE,    // merge: which buffer holds the runs
	S_BASE
};

enum {
	SORT_COLLECT = FIRST_FREE_STEP,
	SORT_TEXTS,
	SORT_TEXT_DONE,
	SORT_MERGE,
	SORT_COMPARED
};

// Work per activation, so that a long sort gives the host its turn.
constexpr uint32_t kSortChunk = 4096;

double Get(JS_Frame *self, int slot)
{
	return self->values[uint32_t(slot)].u.number;
}

void Set(JS_Frame *self, int slot, double d)
{
	self->values[uint32_t(slot)].SetNumber(d);
}

// Slot of the value of element i in a buffer; its text follows it.
uint32_t Slot(uint32_t count, int buffer, uint32_t i)
{
	return S_BASE + 2 * (uint32_t(buffer) * count + i);
}

// Texts compare as unsigned bytes; a text that is a prefix of the other is
// the smaller.
int CompareTexts(const JS_String *a, const JS_String *b)
{
	uint32_t n = a->length < b->length ? a->length : b->length;
	int c = n ? std::memcmp(a->Text(), b->Text(), n) : 0;
	if (c != 0)
		return c < 0 ? -1 : 1;
	return a->length < b->length ? -1 : a->length > b->length ? 1 : 0;
}

// What a comparator's result counts as: its number; objects count as NaN,
// which orders nothing.
double ComparisonOf(int code, const JS_Value &result)
{
	if (code != COMPLETION_RETURN || result.IsObject())
		return js_nan;
	return ToNumber(result);
}

int Collect(ES_Context *cx, JS_Frame *self, JS_Object *o)
{
	uint32_t length = LengthValue(self->values[S_LENGTH]);
	double next = Get(self, S_NEXT);
	uint32_t work = 0;
	if (next < length) {
		for (uint32_t p = o->IndexedLowerBound(uint32_t(next)); p < o->IndexedCount(); ++p) {
			JS_Property *entry = o->IndexedEntryAt(p);
			if (entry->key.index >= length)
				break;
			if (++work > kSortChunk) {
				Set(self, S_NEXT, entry->key.index);
				return SORT_COLLECT;
			}
			if (entry->value.IsUndefined()) {
				Set(self, S_UNDEF, Get(self, S_UNDEF) + 1);
				continue;
			}
			if (!self->values.Push(entry->value) || !self->values.PushUndefined())
				return RaiseNoMemory(cx, self);
			Set(self, S_COUNT, Get(self, S_COUNT) + 1);
		}
	}
	Set(self, S_NEXT, 0);
	return SORT_TEXTS;
}

// Without a comparator every element is compared by its text, made once.
int MakeTexts(ES_Context *cx, JS_Frame *self)
{
	uint32_t count = uint32_t(Get(self, S_COUNT));
	uint32_t work = 0;
	for (uint32_t i = uint32_t(Get(self, S_NEXT)); i < count; ++i) {
		uint32_t slot = Slot(count, 0, i);
		const JS_Value &v = self->values[slot];
		if (v.IsObject()) {
			Set(self, S_NEXT, i);
			if (TooDeep(cx))
				return RaiseTooDeep(cx, self);
			if (!cx->PushConversion(FRAME_TO_STRING, slot))
				return RaiseNoMemory(cx, self);
			return SORT_TEXT_DONE;
		}
		JS_Value text = v;
		if (!ToStringInPlace(&text))
			return RaiseNoMemory(cx, self);
		self->values[slot + 1] = text;
		if (++work > kSortChunk) {
			Set(self, S_NEXT, i + 1);
			return SORT_TEXTS;
		}
	}
	return 0;
}

int StartMerge(ES_Context *cx, JS_Frame *self)
{
	uint32_t count = uint32_t(Get(self, S_COUNT));
	for (uint32_t i = 0; i < 2 * count; ++i)
		if (!self->values.PushUndefined())
			return RaiseNoMemory(cx, self);
	Set(self, S_WIDTH, 1);
	Set(self, S_LO, 0);
	Set(self, S_I, 0);
	Set(self, S_J, count < 1 ? count : 1);
	Set(self, S_K, 0);
	Set(self, S_SOURCE, 0);
	return SORT_MERGE;
}

// Bottom-up merge: runs of width w in the source buffer merge pairwise into
// the other buffer, then the buffers change roles and w doubles.  compared
// is the comparator's answer for the pending pair, or null.
int Merge(ES_Context *cx, JS_Frame *self, JS_Object *o, const double *compared)
{
	uint64_t count = uint64_t(Get(self, S_COUNT));
	uint64_t width = uint64_t(Get(self, S_WIDTH)), lo = uint64_t(Get(self, S_LO));
	uint64_t i = uint64_t(Get(self, S_I)), j = uint64_t(Get(self, S_J)), k = uint64_t(Get(self, S_K));
	int source = int(Get(self, S_SOURCE));
	const JS_Value &compare = self->values[S_COMPARE];
	uint32_t work = 0;
	auto save = [&]() {
		Set(self, S_WIDTH, double(width));
		Set(self, S_LO, double(lo));
		Set(self, S_I, double(i));
		Set(self, S_J, double(j));
		Set(self, S_K, double(k));
		Set(self, S_SOURCE, source);
	};
	while (width < count) {
		if (lo >= count) {
			width *= 2;
			source ^= 1;
			lo = 0;
			i = 0;
			j = width < count ? width : count;
			k = 0;
			continue;
		}
		uint64_t mid = lo + width < count ? lo + width : count;
		uint64_t hi = lo + 2 * width < count ? lo + 2 * width : count;
		while (k < hi) {
			uint64_t take;
			if (i < mid && j < hi) {
				double c;
				if (compared) {
					c = *compared;
					compared = nullptr;
				} else if (compare.IsObject()) {
					save();
					JS_Value pair[2] = {self->values[Slot(uint32_t(count), source, uint32_t(i))],
						self->values[Slot(uint32_t(count), source, uint32_t(j))]};
					return PushCallSubstep(cx, self, compare.u.object, o, pair, 2, SORT_COMPARED);
				} else {
					c = CompareTexts(self->values[Slot(uint32_t(count), source, uint32_t(i)) + 1].u.string,
						self->values[Slot(uint32_t(count), source, uint32_t(j)) + 1].u.string);
				}
				take = c > 0 ? j++ : i++;
			} else {
				take = i < mid ? i++ : j++;
			}
			uint32_t from = Slot(uint32_t(count), source, uint32_t(take));
			uint32_t to = Slot(uint32_t(count), source ^ 1, uint32_t(k));
			self->values[to] = self->values[from];
			self->values[to + 1] = self->values[from + 1];
			++k;
			if (++work > kSortChunk) {
				save();
				return SORT_MERGE;
			}
		}
		lo += 2 * width;
		i = lo;
		j = lo + width < count ? lo + width : count;
		k = lo;
	}
	save();
	return 0;
}

// The sorted elements take keys 0, 1, ..., then the undefined ones; the
// entries that were below the length go.  Entries from the length on stay.
int WriteBack(ES_Context *cx, JS_Frame *self, JS_Object *o)
{
	JS_ReleaseHold hold;
	uint32_t length = LengthValue(self->values[S_LENGTH]);
	uint32_t count = uint32_t(Get(self, S_COUNT));
	uint32_t undefined_count = uint32_t(Get(self, S_UNDEF));
	int source = int(Get(self, S_SOURCE));
	uint32_t total = count + undefined_count;
	uint32_t old = o->IndexedLowerBound(length);
	if (!OpenSlots(o, 0, total))
		return RaiseNoMemory(cx, self);
	for (uint32_t i = 0; i < total; ++i) {
		JS_Property *p = o->IndexedEntryAt(i);
		p->flags = PROP_INDEX_KEY;
		p->key.index = i;
		if (i < count)
			p->value = self->values[Slot(count, source, i)];
	}
	CloseSlots(o, total, old);
	// A comparator may have shortened an array under the sort.
	if (auto *a = dynamic_cast<JS_Array *>(o))
		if (a->Length() < total && !a->SetLength(total))
			return RaiseNoMemory(cx, self);
	return ReturnObject(cx, self, o);
}

} // namespace

int ArraySortStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	if (IsCallStep(self))
		return CallStep(cx, args, self);
	JS_Object *o = cx->This();
	if (!o)
		return RaiseNoMemory(cx, self);
	int step = self->step;
	if (step < FIRST_FREE_STEP) {
		int r = PrepareValues(cx, args, self, "Lv");
		if (r != 0)
			return r;
		for (int i = S_COUNT; i < S_BASE; ++i) {
			JS_Value zero;
			zero.SetNumber(0);
			if (!self->values.Push(zero))
				return RaiseNoMemory(cx, self);
		}
		step = SORT_COLLECT;
	}
	double compared;
	const double *pending = nullptr;
	switch (step) {
	case SORT_COLLECT:
		step = Collect(cx, self, o);
		if (step != SORT_TEXTS)
			return step;
		if (self->values[S_COMPARE].IsObject()) {
			step = StartMerge(cx, self);
			if (step != SORT_MERGE)
				return step;
			break;
		}
		[[fallthrough]];
	case SORT_TEXTS: {
		int r = MakeTexts(cx, self);
		if (r != 0)
			return r;
		step = StartMerge(cx, self);
		if (step != SORT_MERGE)
			return step;
		break;
	}
	case SORT_TEXT_DONE: {
		if (self->child_code == COMPLETION_THROW)
			return COMPLETION_THROW;
		uint32_t count = uint32_t(Get(self, S_COUNT));
		uint32_t i = uint32_t(Get(self, S_NEXT));
		JS_Value text = self->values.Top();
		self->values.Pop();
		self->values[Slot(count, 0, i) + 1] = text;
		Set(self, S_NEXT, i + 1);
		return SORT_TEXTS;
	}
	case SORT_COMPARED: {
		JS_Value result;
		int code = TakeCallResult(self, &result);
		if (code == COMPLETION_THROW)
			return code;
		compared = ComparisonOf(code, result);
		pending = &compared;
		break;
	}
	default:
		break;
	}
	int r = Merge(cx, self, o, pending);
	if (r != 0)
		return r;
	return WriteBack(cx, self, o);
}
