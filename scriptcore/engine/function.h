// Function objects: the common base, built-in (native) functions, the
// built-in constructors, the Function prototype object and host functions.
#ifndef SCRIPTCORE_ENGINE_FUNCTION_H
#define SCRIPTCORE_ENGINE_FUNCTION_H

#include "context.h"
#include "foreign.h"

class JS_Function : public JS_Native_Object {
public:
	JS_Function(JS_Global_Object *owner, JS_Name *name);
	~JS_Function() override;

	JS_Name *FunctionName() const { return name_; }
	int IsFunction() override { return 1; }
	int HasInstance(const JS_Value &v) override;
	// "function NAME() { [native code] }"
	bool SourceText(JS_String *out) override;

protected:
	JS_Name *name_;   // counted; may be null
};

// The instance test every function class shares: 0 instance, 1 not, 2 the
// function's "prototype" is not an object.
int FunctionHasInstance(JS_Object *function, const JS_Value &v);

class JS_Native_Function : public JS_Function {
public:
	// A function whose prototype is the given one, with "length" set
	// (DontEnum, ReadOnly, DontDelete); null when memory runs out.
	static JS_Native_Function *Create(JS_Global_Object *global, JS_Object *prototype,
		JS_StepFunction step, JS_Name *name, int length, int magic);

	int Call(ES_Context *cx, JS_Frame *args, JS_Frame *self) override;
	// The routine, so that a caller can tell a built-in method it knows.
	JS_StepFunction Step() const { return step_; }

private:
	template <typename T, typename... Args>
	friend T *JS_New(Args &&...args);
	JS_Native_Function(JS_Global_Object *owner, JS_Name *name, JS_StepFunction step, int magic)
		: JS_Function(owner, name), step_(step), magic_(magic)
	{
	}
	JS_StepFunction step_;
	int magic_;
};

// A built-in constructor: its own Construct and Call steps (either may be
// null: the object then does not implement that operation).
class JS_Builtin_Constructor : public JS_Function {
public:
	static JS_Builtin_Constructor *Create(JS_Global_Object *global, const char *name,
		JS_StepFunction construct, JS_StepFunction call, int magic);

	int Construct(ES_Context *cx, JS_Frame *args, JS_Frame *self) override;
	int Call(ES_Context *cx, JS_Frame *args, JS_Frame *self) override;

private:
	template <typename T, typename... Args>
	friend T *JS_New(Args &&...args);
	JS_Builtin_Constructor(JS_Global_Object *owner, JS_Name *name, JS_StepFunction construct,
		JS_StepFunction call, int magic)
		: JS_Function(owner, name), construct_(construct), call_(call), magic_(magic)
	{
	}
	JS_StepFunction construct_;
	JS_StepFunction call_;
	int magic_;
};

// Function.prototype: callable, returning undefined.
class JS_Function_Prototype : public JS_Function {
public:
	explicit JS_Function_Prototype(JS_Global_Object *owner, JS_Name *name) : JS_Function(owner, name) {}
	int Call(ES_Context *cx, JS_Frame *args, JS_Frame *self) override;
	bool SourceText(JS_String *out) override;
};

class JS_Foreign_Function : public JS_Foreign_Object {
public:
	JS_Foreign_Function(JS_Global_Object *owner, const char *class_text, ES_HostObject host,
		bool keep, JS_Name *name, const char *conversion);
	~JS_Foreign_Function() override;

	int IsFunction() override { return 1; }
	int HasInstance(const JS_Value &v) override;
	int Call(ES_Context *cx, JS_Frame *args, JS_Frame *self) override;
	int Construct(ES_Context *cx, JS_Frame *args, JS_Frame *self) override;
	// "function NAME() {\n    [native code]\n}\n"
	bool SourceText(JS_String *out) override;

	JS_Name *FunctionName() const { return name_; }
	const char *Conversion() const { return conversion_; }

private:
	int CallHost(ES_Context *cx, JS_Frame *args, JS_Frame *self, bool construct);

	JS_Name *name_;            // counted
	const char *conversion_;   // host-owned; null or "" means none
	int32_t last_letter_;      // its length less one
};

// Converts source values into the own frame's vector by a conversion text
// ("b" boolean, "n" number, "s" string, other letters copy); the letter for
// value i is text[min(i, last)].  Returns 0 when done, a positive step to be
// called again at (a conversion sub-step was pushed), or COMPLETION_THROW.
int ConvertArguments(ES_Context *cx, const JS_ValueVector &source, JS_Frame *self,
	const char *text, int last);

#endif
