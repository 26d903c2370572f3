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

#endif
