// JS_Script_Function: a function made from script code, over a captured
// scope chain.
#ifndef SCRIPTCORE_ENGINE_SCRIPT_FUNCTION_H
#define SCRIPTCORE_ENGINE_SCRIPT_FUNCTION_H

#include "function.h"

struct FunctionCode;

class JS_Script_Function : public JS_Function {
public:
	// A function over the scope objects (outermost first, each counted),
	// sharing the code record (counted), with "length" and a fresh
	// "prototype" object whose "constructor" is the function.  Its
	// prototype is function_prototype.  Null when memory runs out.
	static JS_Script_Function *Create(JS_Global_Object *global, JS_Object *function_prototype,
		JS_Object *const *scope, uint32_t scope_count, FunctionCode *code, JS_Name *name);
	~JS_Script_Function() override;

	FunctionCode *Code() const { return code_; }
	uint32_t ScopeCount() const { return scope_count_; }
	JS_Object *ScopeAt(uint32_t i) const { return scope_[i]; }
	uint32_t FormalCount() const { return formal_count_; }

	// A call runs the body over the captured scope chain plus a fresh
	// activation; a construction does the same with a new object as this.
	int Call(ES_Context *cx, JS_Frame *args, JS_Frame *self) override;
	int Construct(ES_Context *cx, JS_Frame *args, JS_Frame *self) override;

	// "function NAME(A, B) " and the body block, printed from the code.
	bool SourceText(JS_String *out) override;

private:
	template <typename T, typename... Args>
	friend T *JS_New(Args &&...args);
	JS_Script_Function(JS_Global_Object *owner, JS_Name *name) : JS_Function(owner, name) {}
	int Enter(ES_Context *cx, JS_Frame *args, JS_Frame *self);
	int Leave(ES_Context *cx, JS_Frame *self);

	FunctionCode *code_ = nullptr;
	JS_Object **scope_ = nullptr;
	uint32_t scope_count_ = 0;
	uint32_t formal_count_ = 0;
};

// The variable object of one call: "arguments", the nested functions, the
// variables and the parameters.  A function called through one of its
// properties gets the global object as this, not the activation.
class JS_Activation : public JS_Native_Object {
public:
	explicit JS_Activation(JS_Global_Object *owner) : JS_Native_Object(owner, "Object") {}
	int IsActivation() override { return 1; }
};

// Compiles text as a function body with the given parameter names and makes
// a function named "anonymous" over the global object followed by the scope
// objects (the last innermost), whose prototype is the Function
// constructor's "prototype".  Null on a syntax error (the record, when
// given, holds the report) or when memory runs out.
JS_Script_Function *FunctionFromText(JS_Global_Object *global, const char *const *parameters,
	int parameter_count, const char *text, uint32_t length, JS_Object *const *scope, int scope_count,
	ES_SyntaxErrorRecord *record);

#endif
