// Shared pieces of the built-in functions: results, the preparation of
// arguments (conversions run as sub-steps), calls of script functions as
// sub-steps, checked integer conversions and moves of indexed entries.
#ifndef SCRIPTCORE_BUILTINS_NATIVE_STEPS_H
#define SCRIPTCORE_BUILTINS_NATIVE_STEPS_H

#include <cstdint>

#include "context.h"
#include "errors.h"
#include "global.h"
#include "object.h"

// Constants of the library (Number's, Math's): DontEnum, ReadOnly and
// DontDelete.
constexpr uint32_t LIBRARY_CONSTANT = PROP_DONT_ENUM | PROP_READ_ONLY | PROP_DONT_DELETE;

// Results.  Each pushes onto the own vector and returns COMPLETION_RETURN,
// or raises Error "Implementation error" when memory runs out (a null
// string or object counts as running out).
int ReturnValue(ES_Context *cx, JS_Frame *self, const JS_Value &v);
int ReturnNumber(ES_Context *cx, JS_Frame *self, double d);
int ReturnBoolean(ES_Context *cx, JS_Frame *self, bool b);
int ReturnString(ES_Context *cx, JS_Frame *self, JS_String *s);
int ReturnObject(ES_Context *cx, JS_Frame *self, JS_Object *o);
int RaiseNoMemory(ES_Context *cx, JS_Frame *self);

// A routine that would push a sub-step above the frame limit completes
// instead: the machine then ends the run with its stack-overflow report.
// Without this, built-ins that call one another (an array that contains
// itself, joined) would push frames for ever without one completing.
bool TooDeep(ES_Context *cx);
int RaiseTooDeep(ES_Context *cx, JS_Frame *self);

// Brings the values a routine works on into its own vector, one slot per
// letter of the plan, in order:
//   'L'  this object's "length", as a number (objects through valueOf)
//   'n'  the next argument as a number (NaN when absent)
//   's'  the next argument as a string ("undefined" when absent)
//   'p'  the next argument as a primitive, strings preferred
//   'v'  the next argument as it is (undefined when absent)
// A plan ending in '*' repeats its last letter for every further argument
// ("n*": every argument as a number).
// Uses steps 0 and 1 of the routine.  Returns 0 when every slot is ready
// (the routine then continues with steps of 2 and up), 1 to be resumed, or
// COMPLETION_THROW.
int PrepareValues(ES_Context *cx, JS_Frame *args, JS_Frame *self, const char *plan);
constexpr int FIRST_FREE_STEP = 2;

// Calls fn with a this object and arguments as a sub-step.  The call runs
// from a frame of its own, so that the callee sees exactly argv as its
// arguments however many working values the routine keeps: the routine
// appends fn, this, the arguments and their count to its vector and a
// second activation of the routine makes the call.  Returns resume, or
// COMPLETION_THROW when memory runs out.
//
// On resumption the routine calls TakeCallResult, which removes what was
// appended and gives the call's completion code (COMPLETION_RETURN with
// *result, COMPLETION_NORMAL, or COMPLETION_THROW with the exception as the
// newest value of the vector).
//
// A routine that uses calls starts with
//     if (IsCallStep(self)) return CallStep(cx, args, self);
int PushCallSubstep(ES_Context *cx, JS_Frame *self, JS_Object *fn, JS_Object *this_object,
	const JS_Value *argv, uint32_t argc, int resume);
int TakeCallResult(JS_Frame *self, JS_Value *result);
constexpr int CALL_STEP = 0x40000000;
inline bool IsCallStep(const JS_Frame *self)
{
	return self->step >= CALL_STEP;
}
int CallStep(ES_Context *cx, JS_Frame *args, JS_Frame *self);

// ToInteger of a number as a double: NaN gives 0, otherwise truncation
// toward zero (infinities stay).
double ToIntegerValue(double d);
// A relative position against a length: negative counts from the end and
// stops at 0, positive stops at the length.
uint32_t RelativePosition(double d, uint32_t length);
// The length a routine read through the plan letter 'L'.
uint32_t LengthValue(const JS_Value &v);

// Moves of indexed entries by position, linear in the entries moved.
// OpenSlots makes n blank entries (key 0, undefined) at a position, moving
// the later ones up; false with nothing changed when memory runs out.  The
// caller gives the blank entries their keys before the table is searched
// again.  CloseSlots removes n entries from a position.
bool OpenSlots(JS_Object *o, uint32_t position, uint32_t n);
void CloseSlots(JS_Object *o, uint32_t position, uint32_t n);

// Names the library holds for the life of the process.
JS_Name *ToStringName();
JS_Name *ToLocaleStringName();
JS_Name *ValueOfName();

#endif
