// The built-in library: what each part installs on a new global object.
#ifndef SCRIPTCORE_BUILTINS_BUILTINS_H
#define SCRIPTCORE_BUILTINS_BUILTINS_H

#include "global.h"

// The global functions eval, parseInt, parseFloat, escape, unescape, isNaN
// and isFinite; false when memory runs out.
bool InstallGlobalFunctions(JS_Global_Object *global);
int GlobalEvalStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int magic);

// The Function constructor, and toString, apply and call on
// Function.prototype.
JS_Object *MakeFunctionConstructor(JS_Global_Object *global);
bool InstallFunctionPrototypeMethods(JS_Global_Object *global);

// Error.prototype.toString; the Error constructors come from
// MakeErrorConstructor, one per kind.
bool InstallErrorPrototypeMethods(JS_Global_Object *global);
JS_Object *MakeErrorConstructor(JS_Global_Object *global, int kind);

// A new error object of a kind: class "Error", the kind's prototype, and
// "message" when a text is given.  Null when memory runs out.
JS_Object *MakeErrorObject(JS_Global_Object *global, int kind, const char *message);

// "Error:\r\nname: ...\r\nmessage: ...\r\n" for an error object.
void PrimitiveErrorText(JS_Object *o, JS_String *out);
bool IsErrorObject(JS_Object *o);

// The Object, Number, Boolean and Array constructors (null when memory runs
// out), and the methods of their prototypes.
JS_Object *MakeObjectConstructor(JS_Global_Object *global);
JS_Object *MakeNumberConstructor(JS_Global_Object *global);
JS_Object *MakeBooleanConstructor(JS_Global_Object *global);
JS_Object *MakeArrayConstructor(JS_Global_Object *global);
bool InstallObjectPrototypeMethods(JS_Global_Object *global);
bool InstallNumberPrototypeMethods(JS_Global_Object *global);
bool InstallBooleanPrototypeMethods(JS_Global_Object *global);
bool InstallArrayPrototypeMethods(JS_Global_Object *global);
bool InstallStringPrototypeMethods(JS_Global_Object *global);
// Date: the prototype (an invalid date), the constructor with parse and
// UTC, and the prototype's methods.
JS_Object *MakeDatePrototype(JS_Global_Object *global);
JS_Object *MakeDateConstructor(JS_Global_Object *global);
bool InstallDatePrototypeMethods(JS_Global_Object *global);
// Math's constants and functions, on the global object's Math member.
bool InstallMath(JS_Global_Object *global);
// A library constructor by member (Object, Number, Boolean, Array, Date), or a
// placeholder without steps for the others.
JS_Object *MakeLibraryConstructor(JS_Global_Object *global, int member, const char *name);

// Array.prototype.sort.
int ArraySortStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int magic);
// Whether a routine is the library's toString of numbers, strings or
// booleans (join makes their text without calling them).
bool IsNumberToString(JS_StepFunction step);
bool IsStringToString(JS_StepFunction step);
bool IsBooleanToString(JS_StepFunction step);

#endif
