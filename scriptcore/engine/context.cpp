#include "context.h"

#include <cstdlib>
#include <new>
#include <utility>

#include "code.h"
#include "global.h"
#include "memory.h"

// ---------------------------------------------------------------------------
// Value vectors

JS_ValueVector::~JS_ValueVector()
{
	Truncate(0);
	std::free(values_);
}

bool JS_ValueVector::Grow(uint64_t want)
{
	if (want > UINT32_MAX / sizeof(JS_Value) || want > SIZE_MAX / sizeof(JS_Value))
		return false;
	JS_Value *fresh = static_cast<JS_Value *>(JS_Malloc(size_t(want) * sizeof(JS_Value)));
	if (!fresh)
		return false;
	for (uint32_t i = 0; i < count_; ++i) {
		new (&fresh[i]) JS_Value(std::move(values_[i]));
		values_[i].~JS_Value();
	}
	std::free(values_);
	values_ = fresh;
	capacity_ = uint32_t(want);
	return true;
}

bool JS_ValueVector::Push(const JS_Value &v)
{
	if (count_ == capacity_ && !Grow(capacity_ ? uint64_t(capacity_) * 3 : 4))
		return false;
	new (&values_[count_]) JS_Value(v);
	++count_;
	return true;
}

bool JS_ValueVector::Reserve(uint32_t more)
{
	uint64_t want = uint64_t(count_) + more;
	return want <= capacity_ || Grow(want);
}

void JS_ValueVector::Pop()
{
	if (count_ == 0)
		return;
	--count_;
	values_[count_].~JS_Value();
}

void JS_ValueVector::Truncate(uint32_t n)
{
	while (count_ > n)
		Pop();
}

void JS_ValueVector::Swap(JS_ValueVector &other)
{
	std::swap(values_, other.values_);
	std::swap(count_, other.count_);
	std::swap(capacity_, other.capacity_);
}

// Growable arrays of the context start with room for 4 and double whenever
// a push finds count + 1 equal to the capacity, so one element always stays
// free.  False when memory runs out (the array is unchanged).
template <typename T>
static bool Reserve(T **&array, uint32_t count, uint32_t &capacity)
{
	if (count + 1 < capacity)
		return true;
	uint32_t want = capacity ? capacity * 2 : 4;
	void *fresh = JS_Realloc(array, size_t(want) * sizeof(T *));
	if (!fresh)
		return false;
	array = static_cast<T **>(fresh);
	capacity = want;
	return true;
}

// ---------------------------------------------------------------------------
// Scope chains

bool JS_ScopeChain::Push(JS_Object *o)
{
	if (!Reserve(objects_, count_, capacity_))
		return false;
	o->AddRef();
	objects_[count_++] = o;
	return true;
}

void JS_ScopeChain::Pop()
{
	if (count_ > 0)
		objects_[--count_]->Release();
}

void JS_ScopeChain::Clear()
{
	JS_ReleaseHold hold;
	while (count_ > 0)
		Pop();
	std::free(objects_);
	objects_ = nullptr;
	capacity_ = 0;
}

// ---------------------------------------------------------------------------
// Contexts

ES_Context::ES_Context(JS_Global_Object *global_, int version_, ES_Cookie cookie_)
	: global(global_), version(version_), cookie(cookie_)
{
}

ES_Context::~ES_Context()
{
	JS_ReleaseHold hold;
	PopAllFrames();
	for (uint32_t b = 0; b < frame_capacity / FRAME_BLOCK; ++b) {
		for (uint32_t i = 0; i < FRAME_BLOCK; ++i)
			frame_blocks[b][i].~JS_Frame();
		std::free(frame_blocks[b]);
	}
	std::free(frame_blocks);
	if (pending_label)
		pending_label->Release();
	while (owned_count > 0)
		PopOwnedCode();
	std::free(owned_code);
	while (this_count > 0)
		PopThis();
	std::free(this_stack);
	while (scope_count > 0)
		PopScopeChain();
	std::free(scopes);
}

// Frames are kept constructed up to the capacity, so a popped frame's
// vector keeps its storage for the next push.  A spare blank frame always
// follows the last one.
bool ES_Context::PushFrame(int32_t kind)
{
	if (frame_count + 1 >= frame_capacity) {
		uint32_t blocks = frame_capacity / FRAME_BLOCK;
		if (!Reserve(frame_blocks, blocks, block_slots))
			return false;
		JS_Frame *block = static_cast<JS_Frame *>(JS_Malloc(FRAME_BLOCK * sizeof(JS_Frame)));
		if (!block)
			return false;
		for (uint32_t i = 0; i < FRAME_BLOCK; ++i)
			new (&block[i]) JS_Frame();
		frame_blocks[blocks] = block;
		frame_capacity += FRAME_BLOCK;
	}
	JS_Frame *f = FrameAt(frame_count++);
	f->values.Clear();
	f->kind = kind;
	f->step = 0;
	f->child_code = COMPLETION_VALUE;
	f->target.node = nullptr;
	f->cursor = nullptr;
	return true;
}

bool ES_Context::PushStatement(const void *node)
{
	if (!PushFrame(FRAME_STATEMENT))
		return false;
	FrameAt(frame_count - 1)->target.node = node;
	return true;
}

bool ES_Context::PushExpression(const void *node)
{
	if (!PushFrame(FRAME_EXPRESSION))
		return false;
	FrameAt(frame_count - 1)->target.node = node;
	return true;
}

bool ES_Context::PushConversion(int32_t kind, uint32_t index)
{
	if (!PushFrame(kind))
		return false;
	FrameAt(frame_count - 1)->target.index = index;
	return true;
}

bool ES_Context::PushCall(JS_Object *function)
{
	if (!PushFrame(FRAME_CALL))
		return false;
	function->AddRef();
	FrameAt(frame_count - 1)->target.object = function;
	return true;
}

bool ES_Context::PushConstruct(JS_Object *function)
{
	if (!PushFrame(FRAME_CONSTRUCT))
		return false;
	function->AddRef();
	FrameAt(frame_count - 1)->target.object = function;
	return true;
}

bool ES_Context::PushCallResult()
{
	return PushFrame(FRAME_CALL_RESULT);
}

bool ES_Context::PushReentry(int32_t step)
{
	JS_Frame *current = Top();
	if (!current)
		return false;
	int32_t kind = current->kind;
	auto target = current->target;
	if (!PushFrame(kind))
		return false;
	JS_Frame *f = FrameAt(frame_count - 1);
	f->target = target;
	f->step = step;
	if (kind == FRAME_CALL || kind == FRAME_CONSTRUCT)
		f->target.object->AddRef();
	return true;
}

void ES_Context::PopFrame()
{
	if (frame_count == 0)
		return;
	JS_ReleaseHold hold;
	JS_Frame *f = FrameAt(--frame_count);
	f->values.Clear();
	if ((f->kind == FRAME_CALL || f->kind == FRAME_CONSTRUCT) && f->target.object)
		f->target.object->Release();
	f->target.node = nullptr;
	f->kind = FRAME_STATEMENT;
}

void ES_Context::PopAllFrames()
{
	JS_ReleaseHold hold;
	while (frame_count > 0)
		PopFrame();
}

bool ES_Context::PushScopeChain()
{
	if (!Reserve(scopes, scope_count, scope_capacity))
		return false;
	JS_ScopeChain *chain = JS_New<JS_ScopeChain>();
	if (!chain)
		return false;
	scopes[scope_count++] = chain;
	return true;
}

bool ES_Context::PushScopeObject(JS_Object *o)
{
	JS_ScopeChain *chain = Scope();
	return chain && chain->Push(o);
}

void ES_Context::PopScopeObject()
{
	if (JS_ScopeChain *chain = Scope())
		chain->Pop();
}

void ES_Context::PopScopeChain()
{
	if (scope_count == 0)
		return;
	delete scopes[--scope_count];
}

bool ES_Context::PushOwnedCode(FunctionCode *code)
{
	if (!Reserve(owned_code, owned_count, owned_capacity))
		return false;
	RetainCode(code);
	owned_code[owned_count++] = code;
	return true;
}

void ES_Context::PopOwnedCode()
{
	if (owned_count > 0)
		ReleaseCode(owned_code[--owned_count]);
}

bool ES_Context::PushThis(JS_Object *o)
{
	if (!Reserve(this_stack, this_count, this_capacity))
		return false;
	o->AddRef();
	this_stack[this_count++] = o;
	return true;
}

void ES_Context::PopThis()
{
	if (this_count > 0)
		this_stack[--this_count]->Release();
}

bool ES_Context::Reset()
{
	JS_ReleaseHold hold;
	PopAllFrames();
	while (owned_count > 0)
		PopOwnedCode();
	while (this_count > this_base)
		PopThis();
	while (scope_count > 1)
		PopScopeChain();
	if (scope_count == 0 && !PushScopeChain())
		return false;
	JS_ScopeChain *chain = Scope();
	while (chain->Count() > 1)
		chain->Pop();
	if (chain->Count() == 0 && !chain->Push(global))
		return false;
	if (pending_label) {
		pending_label->Release();
		pending_label = nullptr;
	}
	status = 0;
	converting_result = false;
	return true;
}
