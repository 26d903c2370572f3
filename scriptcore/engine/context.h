// ES_Context and JS_Frame: the explicit frame stack that script runs on.
#ifndef SCRIPTCORE_ENGINE_CONTEXT_H
#define SCRIPTCORE_ENGINE_CONTEXT_H

#include <cstdint>

#include "scriptcore.h"
#include "value.h"

struct FunctionCode;

// Negative step results: how a frame completed.
enum JS_Completion {
	COMPLETION_NORMAL = -1,
	COMPLETION_VALUE = -2,
	COMPLETION_RETURN = -3,
	COMPLETION_CONTINUE = -4,
	COMPLETION_CONTINUE_VALUE = -5,
	COMPLETION_BREAK = -6,
	COMPLETION_BREAK_VALUE = -7,
	COMPLETION_THROW = -8
};

enum JS_FrameKind : int32_t {
	FRAME_STATEMENT = 0,
	FRAME_EXPRESSION = 1,
	FRAME_TO_STRING = 2,
	FRAME_TO_PRIMITIVE_NUMBER = 3,
	FRAME_TO_PRIMITIVE = 4,
	FRAME_TO_PRIMITIVE_STRING = 5,
	FRAME_CALL = 6,
	FRAME_CONSTRUCT = 7,
	// The bottom frame of a host's ES_PushCall: holds the arguments and
	// completes with the call's value.
	FRAME_CALL_RESULT = 8
};

// A run stops when a frame completes while more than this many frames are on
// the stack: script recursion is bounded here, not by the native stack.
constexpr uint32_t JS_FRAME_LIMIT = 10000;

// A growable vector of values: capacity 4 at the first push, then growing by
// twice its size.  Pushes report false when memory runs out.
class JS_ValueVector {
public:
	JS_ValueVector() = default;
	~JS_ValueVector();
	JS_ValueVector(const JS_ValueVector &) = delete;
	JS_ValueVector &operator=(const JS_ValueVector &) = delete;

	uint32_t Count() const { return count_; }
	JS_Value &operator[](uint32_t i) { return values_[i]; }
	const JS_Value &operator[](uint32_t i) const { return values_[i]; }
	// The newest value; the vector must not be empty.
	JS_Value &Top() { return values_[count_ - 1]; }

	bool Push(const JS_Value &v);
	bool PushUndefined() { return Push(JS_Value()); }
	// Room for `more` further values; false when memory runs out.
	bool Reserve(uint32_t more);
	void Pop();
	void Truncate(uint32_t n);
	void Clear() { Truncate(0); }
	void Swap(JS_ValueVector &other);

private:
	bool Grow(uint64_t want);
	JS_Value *values_ = nullptr;
	uint32_t count_ = 0;
	uint32_t capacity_ = 0;
};

struct JS_Frame {
	JS_ValueVector values;
	int32_t kind = FRAME_STATEMENT;
	int32_t step = 0;
	int32_t child_code = COMPLETION_VALUE;
	// A syntax node, a counted object (call and construct frames) or the
	// index of a value in the frame below (conversion frames).
	union {
		const void *node;
		JS_Object *object;
		uint32_t index;
	} target{};
	// Where a statement list has got to (the next statement to run), so a
	// long block does not walk its list from the start at every step.
	const void *cursor = nullptr;
};

// A scope chain: objects outermost first, each holding a count.
class JS_ScopeChain {
public:
	JS_ScopeChain() = default;
	~JS_ScopeChain() { Clear(); }
	JS_ScopeChain(const JS_ScopeChain &) = delete;
	JS_ScopeChain &operator=(const JS_ScopeChain &) = delete;

	uint32_t Count() const { return count_; }
	JS_Object *At(uint32_t i) const { return objects_[i]; }
	JS_Object *const *Objects() const { return objects_; }
	JS_Object *Innermost() const { return count_ ? objects_[count_ - 1] : nullptr; }
	bool Push(JS_Object *o);
	void Pop();
	void Clear();

private:
	JS_Object **objects_ = nullptr;
	uint32_t count_ = 0;
	uint32_t capacity_ = 0;
};

struct ES_Context {
	ES_Context(JS_Global_Object *global, int version, ES_Cookie cookie);
	~ES_Context();
	ES_Context(const ES_Context &) = delete;
	ES_Context &operator=(const ES_Context &) = delete;

	// Frames.  Each push reports false (pushing nothing) when memory runs out.
	uint32_t FrameCount() const { return frame_count; }
	JS_Frame *Top() { return frame_count ? FrameAt(frame_count - 1) : nullptr; }
	JS_Frame *FrameAt(uint32_t i) { return &frame_blocks[i / FRAME_BLOCK][i % FRAME_BLOCK]; }
	bool PushStatement(const void *node);
	bool PushExpression(const void *node);
	bool PushConversion(int32_t kind, uint32_t index);
	bool PushCall(JS_Object *function);
	bool PushConstruct(JS_Object *function);
	bool PushReentry(int32_t step);
	bool PushCallResult();
	void PopFrame();
	void PopAllFrames();

	// Scope chains and the this-stack.
	JS_ScopeChain *Scope() { return scope_count ? scopes[scope_count - 1] : nullptr; }
	bool PushScopeChain();
	bool PushScopeObject(JS_Object *o);
	void PopScopeObject();
	void PopScopeChain();
	JS_Object *This() const { return this_count ? this_stack[this_count - 1] : nullptr; }
	bool PushThis(JS_Object *o);
	void PopThis();

	// The compiled code of eval calls that are running; each holds a
	// count, dropped when popped or when the context is reset or deleted.
	bool PushOwnedCode(FunctionCode *code);
	void PopOwnedCode();

	// Back to the state of a fresh context: no frames, one scope chain
	// holding the global object, the this-stack at its base, no pending
	// label.  Nothing of an abandoned run survives.
	bool Reset();

	// Frames live in fixed blocks that never move, so a step may keep using
	// its own and its argument frame after pushing a child.
	static constexpr uint32_t FRAME_BLOCK = 64;
	JS_Frame **frame_blocks = nullptr;
	uint32_t frame_count = 0;
	uint32_t frame_capacity = 0;   // frames in all blocks
	uint32_t block_slots = 0;      // room in frame_blocks
	JS_Global_Object *global;
	JS_ScopeChain **scopes = nullptr;
	uint32_t scope_count = 0;
	uint32_t scope_capacity = 0;
	JS_Object **this_stack = nullptr;
	uint32_t this_count = 0;
	uint32_t this_capacity = 0;
	uint32_t this_base = 0;        // entries made at creation
	FunctionCode **owned_code = nullptr;
	uint32_t owned_count = 0;
	uint32_t owned_capacity = 0;
	JS_Name *pending_label = nullptr;
	// A ToString step runs over a finished bottom frame (want string).
	bool converting_result = false;
	// Inside ES_ExecuteContext: a nested run, push or deletion from a host
	// callback must not pull the frames from under the running step.
	bool running = false;
	bool delete_pending = false;
	ES_Program *program = nullptr;   // whose tree the frames run, if any
	int32_t budget = 0;
	int32_t version;
	ES_Cookie cookie;
	int32_t status = 0;

private:
	bool PushFrame(int32_t kind);
};

#endif
