// JS_Global_Object: the global object of a script world.  It heads the list
// of every object made for it, holds the standard prototypes and
// constructors, and can be cleared to break the cycles between them.
#ifndef SCRIPTCORE_ENGINE_GLOBAL_H
#define SCRIPTCORE_ENGINE_GLOBAL_H

#include "errors.h"
#include "foreign.h"

class JS_Global_Object : public JS_Foreign_Object {
public:
	// The fixed members, in order.  Each holds a count (so the engine never
	// uses a freed prototype after a script deletes or replaces the property
	// that named it); clearing and the destructor release them.
	enum Member {
		OBJECT_PROTOTYPE,
		FUNCTION_PROTOTYPE,
		NUMBER_PROTOTYPE,
		BOOLEAN_PROTOTYPE,
		ARRAY_PROTOTYPE,
		STRING_PROTOTYPE,
		DATE_PROTOTYPE,
		REGEXP_PROTOTYPE,
		ERROR_PROTOTYPE,       // then the other error kinds in kind order
		GURU_MEDITATION_PROTOTYPE = ERROR_PROTOTYPE + ERROR_GURU_MEDITATION,
		OBJECT_CONSTRUCTOR,
		FUNCTION_CONSTRUCTOR,
		NUMBER_CONSTRUCTOR,
		BOOLEAN_CONSTRUCTOR,
		ARRAY_CONSTRUCTOR,
		STRING_CONSTRUCTOR,
		DATE_CONSTRUCTOR,
		REGEXP_CONSTRUCTOR,
		ERROR_CONSTRUCTOR,     // then EvalError .. URIError
		MATH_OBJECT = ERROR_CONSTRUCTOR + ERROR_URI + 1,
		MEMBER_COUNT
	};

	// A new global object with every built-in installed and one count for
	// the caller; null when memory runs out.
	static JS_Global_Object *Create();
	~JS_Global_Object() override;

	// Clears the object and every object on its list (operation 36).
	void ClearGlobal();
	// Builds the standard objects on a fresh or cleared global object;
	// false when memory runs out.
	bool InstallBuiltins();

	JS_Object *Member(int which) const { return members_[which]; }
	void SetMember(int which, JS_Object *o);
	JS_Object *ObjectPrototype() const { return members_[OBJECT_PROTOTYPE]; }
	JS_Object *FunctionPrototype() const { return members_[FUNCTION_PROTOTYPE]; }
	JS_Object *ErrorPrototype(int kind) const { return members_[ERROR_PROTOTYPE + kind]; }

	// Objects on the all-objects list, for checks of clearing.
	size_t ListedObjectCount() const;

private:
	template <typename T, typename... Args>
	friend T *JS_New(Args &&...args);
	JS_Global_Object();
	void ReleaseMembers();

	JS_Object *members_[MEMBER_COUNT] = {};
	bool holds_names_ = false;
};

#endif
