#include "memory.h"
#include "global.h"

#include <initializer_list>
#include <new>

#include "array.h"
#include "builtins.h"
#include "function.h"
#include "wrappers.h"

JS_Global_Object::JS_Global_Object() : JS_Foreign_Object(nullptr, "Object", nullptr, false) {}

// The well-known names are interned once and kept for the life of the
// process as well, so that an object outliving every global object never
// reaches a freed name through them.
static bool InternWellKnownNames()
{
	if (js_names.length)
		return true;
	JS_Name *length = JS_Name::Intern("length");
	JS_Name *prototype = JS_Name::Intern("prototype");
	JS_Name *arguments = JS_Name::Intern("arguments");
	JS_Name *callee = JS_Name::Intern("callee");
	if (!length || !prototype || !arguments || !callee)
		return false;
	for (JS_Name *n : {length, prototype, arguments, callee})
		n->AddRef();
	js_names = {length, prototype, arguments, callee};
	return true;
}

JS_Global_Object *JS_Global_Object::Create()
{
	if (!InternWellKnownNames())
		return nullptr;
	JS_Global_Object *g = JS_New<JS_Global_Object>();
	if (!g)
		return nullptr;
	for (JS_Name *n : {js_names.length, js_names.prototype, js_names.arguments, js_names.callee})
		n->AddRef();
	g->holds_names_ = true;
	g->AddRef();
	if (!g->InstallBuiltins()) {
		g->ClearGlobal();
		g->Release();
		return nullptr;
	}
	return g;
}

JS_Global_Object::~JS_Global_Object()
{
	JS_ReleaseHold hold;
	ReleaseMembers();
	// Whatever is still on the list outlives this object (the host or
	// another global object holds it).  Detach it, so that its destructor
	// never reaches back into freed memory.
	JS_Object *o = next_;
	next_ = nullptr;
	while (o) {
		JS_Object *next = o->next_;
		o->next_ = o->prev_ = nullptr;
		o->linked_ = false;
		o = next;
	}
	if (holds_names_)
		for (JS_Name *n : {js_names.length, js_names.prototype, js_names.arguments, js_names.callee})
			n->Release();
}

void JS_Global_Object::SetMember(int which, JS_Object *o)
{
	JS_ReleaseHold hold;
	if (o)
		o->AddRef();
	JS_Object *old = members_[which];
	members_[which] = o;
	if (old)
		old->Release();
}

void JS_Global_Object::ReleaseMembers()
{
	JS_ReleaseHold hold;
	for (int i = 0; i < MEMBER_COUNT; ++i)
		SetMember(i, nullptr);
}

size_t JS_Global_Object::ListedObjectCount() const
{
	size_t n = 0;
	for (JS_Object *o = next_; o; o = o->next_)
		++n;
	return n;
}

void JS_Global_Object::ClearGlobal()
{
	JS_ReleaseHold hold;
	Clear();
	JS_Name *constructor = JS_Name::Intern("constructor");
	if (constructor) {
		constructor->AddRef();
		JS_Value undefined;
		for (int i = OBJECT_PROTOTYPE; i < GURU_MEDITATION_PROTOTYPE; ++i)
			if (members_[i])
				members_[i]->PutName(nullptr, constructor, undefined, members_[i], 0);
		constructor->Release();
	}
	// Hold every listed object while all of them are cleared, so that none
	// is freed in the middle of the walk; then let each go.
	for (JS_Object *o = next_; o; o = o->next_)
		o->AddRef();
	for (JS_Object *o = next_; o; o = o->next_)
		o->Clear();
	ReleaseMembers();
	JS_Object *o = next_;
	while (o) {
		JS_Object *next = o->next_;
		o->Release();
		o = next;
	}
}

// ---------------------------------------------------------------------------
// Building the standard objects

namespace {
constexpr uint32_t kFixed = PROP_DONT_ENUM | PROP_READ_ONLY | PROP_DONT_DELETE;

const char *const default_messages[ERROR_KIND_COUNT] = {
	"Generic error",
	"Use of eval as a value",
	"Illegal manipulation of array or string length",
	"Undefined variable or property",
	"Mis-constructed program text",
	"Incorrect value to a primitive operation",
	"Generic error in a URI",
	"The compiler is smarter than you",
};

bool Put(JS_Object *o, const char *name, const JS_Value &v, uint32_t attributes)
{
	JS_Name *n = JS_Name::Intern(name);
	return n && static_cast<JS_Native_Object *>(o)->NativePutName(n, v, attributes) == 0;
}

bool PutObject(JS_Object *o, const char *name, JS_Object *value, uint32_t attributes)
{
	JS_Value v;
	v.SetObject(value);
	return Put(o, name, v, attributes);
}

bool PutText(JS_Object *o, const char *name, const char *text, uint32_t attributes)
{
	JS_String *s = JS_String::Make(text);
	if (!s)
		return false;
	JS_Value v;
	v.SetString(s);
	return Put(o, name, v, attributes);
}

bool PutNumber(JS_Object *o, const char *name, double d, uint32_t attributes)
{
	JS_Value v;
	v.SetNumber(d);
	return Put(o, name, v, attributes);
}

// Keeps a new object alive in a member slot; false when it is null.
bool Keep(JS_Global_Object *g, int which, JS_Object *o)
{
	if (!o)
		return false;
	g->SetMember(which, o);
	return true;
}
} // namespace

bool JS_Global_Object::InstallBuiltins()
{
	JS_ReleaseHold hold;

	// Object.prototype and Function.prototype.
	if (!Keep(this, OBJECT_PROTOTYPE, JS_New<JS_Native_Object>(this, "Object")))
		return false;
	JS_Object *object_prototype = ObjectPrototype();
	SetPrototype(object_prototype);
	JS_Name *function_name = JS_Name::Intern("Function");
	if (!function_name ||
	    !Keep(this, FUNCTION_PROTOTYPE, JS_New<JS_Function_Prototype>(this, function_name)))
		return false;
	FunctionPrototype()->SetPrototype(object_prototype);
	if (!PutNumber(FunctionPrototype(), "length", 0, kFixed) || !InstallObjectPrototypeMethods(this) ||
	    !InstallFunctionPrototypeMethods(this))
		return false;

	// The wrapper prototypes and the other standard prototypes.
	JS_Value zero, no, empty;
	zero.SetNumber(0);
	no.SetBoolean(0);
	JS_String *empty_text = JS_String::Make("");
	if (!empty_text)
		return false;
	empty.SetString(empty_text);
	struct {
		int member;
		JS_Object *object;
	} prototypes[] = {
		{NUMBER_PROTOTYPE, JS_New<JS_Primitive_Wrapper>(this, zero)},
		{BOOLEAN_PROTOTYPE, JS_New<JS_Primitive_Wrapper>(this, no)},
		{ARRAY_PROTOTYPE, JS_Array::Create(this, object_prototype)},
		{STRING_PROTOTYPE, JS_New<JS_Primitive_Wrapper>(this, empty)},
		{DATE_PROTOTYPE, MakeDatePrototype(this)},
		{REGEXP_PROTOTYPE, JS_New<JS_Native_Object>(this, "RegExp")},
	};
	for (auto &p : prototypes) {
		if (!Keep(this, p.member, p.object))
			return false;
		p.object->SetPrototype(object_prototype);
	}
	if (!PutNumber(Member(STRING_PROTOTYPE), "length", 0, kFixed) || !InstallNumberPrototypeMethods(this) ||
	    !InstallBooleanPrototypeMethods(this) || !InstallArrayPrototypeMethods(this) ||
	    !InstallStringPrototypeMethods(this) || !InstallDatePrototypeMethods(this))
		return false;

	// The error prototypes, in kind order.
	for (int kind = 0; kind < ERROR_KIND_COUNT; ++kind) {
		JS_Object *p = JS_New<JS_Native_Object>(this, "Error");
		if (!Keep(this, ERROR_PROTOTYPE + kind, p))
			return false;
		p->SetPrototype(kind == ERROR_ERROR ? object_prototype : ErrorPrototype(ERROR_ERROR));
		if (!PutText(p, "name", js_error_kind_names[kind], PROP_DONT_ENUM) ||
		    !PutText(p, "message", default_messages[kind], PROP_DONT_ENUM))
			return false;
	}
	if (!InstallErrorPrototypeMethods(this))
		return false;

	// The constructors, each with its "prototype" and "length".
	struct {
		int member;
		const char *name;
		int prototype;
		int length;
	} constructors[] = {
		{OBJECT_CONSTRUCTOR, "Object", OBJECT_PROTOTYPE, 1},
		{FUNCTION_CONSTRUCTOR, "Function", FUNCTION_PROTOTYPE, 1},
		{NUMBER_CONSTRUCTOR, "Number", NUMBER_PROTOTYPE, 1},
		{BOOLEAN_CONSTRUCTOR, "Boolean", BOOLEAN_PROTOTYPE, 1},
		{ARRAY_CONSTRUCTOR, "Array", ARRAY_PROTOTYPE, 1},
		{STRING_CONSTRUCTOR, "String", STRING_PROTOTYPE, 1},
		{DATE_CONSTRUCTOR, "Date", DATE_PROTOTYPE, 7},
		{REGEXP_CONSTRUCTOR, "RegExp", REGEXP_PROTOTYPE, 2},
		{ERROR_CONSTRUCTOR + ERROR_ERROR, "Error", ERROR_PROTOTYPE + ERROR_ERROR, 1},
		{ERROR_CONSTRUCTOR + ERROR_EVAL, "Error", ERROR_PROTOTYPE + ERROR_EVAL, 1},
		{ERROR_CONSTRUCTOR + ERROR_RANGE, "Error", ERROR_PROTOTYPE + ERROR_RANGE, 1},
		{ERROR_CONSTRUCTOR + ERROR_REFERENCE, "Error", ERROR_PROTOTYPE + ERROR_REFERENCE, 1},
		{ERROR_CONSTRUCTOR + ERROR_SYNTAX, "Error", ERROR_PROTOTYPE + ERROR_SYNTAX, 1},
		{ERROR_CONSTRUCTOR + ERROR_TYPE, "Error", ERROR_PROTOTYPE + ERROR_TYPE, 1},
		{ERROR_CONSTRUCTOR + ERROR_URI, "Error", ERROR_PROTOTYPE + ERROR_URI, 1},
	};
	for (auto &c : constructors) {
		JS_Object *f = c.member >= ERROR_CONSTRUCTOR
				       ? MakeErrorConstructor(this, c.member - ERROR_CONSTRUCTOR)
			       : c.member == FUNCTION_CONSTRUCTOR
				       ? MakeFunctionConstructor(this)
				       : MakeLibraryConstructor(this, c.member, c.name);
		if (!Keep(this, c.member, f) || !PutObject(f, "prototype", Member(c.prototype), kFixed) ||
		    !PutNumber(f, "length", c.length, kFixed))
			return false;
	}

	JS_Object *math = JS_New<JS_Native_Object>(this, "Math");
	if (!Keep(this, MATH_OBJECT, math))
		return false;
	math->SetPrototype(object_prototype);
	if (!InstallMath(this))
		return false;

	// Constructor links (GuruMeditation's prototype has none).
	for (auto &c : constructors)
		if (!PutObject(Member(c.prototype), "constructor", Member(c.member), PROP_DONT_ENUM))
			return false;

	JS_Value undefined;
	if (!PutNumber(this, "NaN", js_nan, PROP_DONT_ENUM | PROP_DONT_DELETE) ||
	    !PutNumber(this, "Infinity", js_infinity, PROP_DONT_ENUM | PROP_DONT_DELETE) ||
	    !Put(this, "undefined", undefined, PROP_DONT_ENUM | PROP_DONT_DELETE))
		return false;
	if (!InstallGlobalFunctions(this))
		return false;

	struct {
		const char *name;
		int member;
	} globals[] = {
		{"Object", OBJECT_CONSTRUCTOR},
		{"Function", FUNCTION_CONSTRUCTOR},
		{"String", STRING_CONSTRUCTOR},
		{"Boolean", BOOLEAN_CONSTRUCTOR},
		{"Array", ARRAY_CONSTRUCTOR},
		{"Number", NUMBER_CONSTRUCTOR},
		{"Math", MATH_OBJECT},
		{"Date", DATE_CONSTRUCTOR},
		{"RegExp", REGEXP_CONSTRUCTOR},
		{"Error", ERROR_CONSTRUCTOR + ERROR_ERROR},
		{"EvalError", ERROR_CONSTRUCTOR + ERROR_EVAL},
		{"RangeError", ERROR_CONSTRUCTOR + ERROR_RANGE},
		{"ReferenceError", ERROR_CONSTRUCTOR + ERROR_REFERENCE},
		{"SyntaxError", ERROR_CONSTRUCTOR + ERROR_SYNTAX},
		{"TypeError", ERROR_CONSTRUCTOR + ERROR_TYPE},
		{"URIError", ERROR_CONSTRUCTOR + ERROR_URI},
	};
	for (auto &g : globals)
		if (!PutObject(this, g.name, Member(g.member), PROP_DONT_ENUM))
			return false;
	return true;
}
