// Every allocation of the engine goes through these, so that a test can make
// the Nth one fail and check that the engine reports the failure, frees what
// it made and never crashes.
#ifndef SCRIPTCORE_ENGINE_MEMORY_H
#define SCRIPTCORE_ENGINE_MEMORY_H

#include <cstddef>
#include <cstdlib>
#include <new>
#include <utility>

// -1: no failures.  Otherwise the number of allocations that still succeed;
// when it reaches 0 the allocation fails, and so do all later ones when the
// fault is persistent.
extern long js_fault_countdown;
extern bool js_fault_persistent;

inline bool JS_AllocationFails()
{
	if (js_fault_countdown < 0)
		return false;
	if (js_fault_countdown > 0) {
		--js_fault_countdown;
		return false;
	}
	if (!js_fault_persistent)
		js_fault_countdown = -1;
	return true;
}

inline void *JS_Malloc(size_t n)
{
	return JS_AllocationFails() ? nullptr : std::malloc(n);
}

inline void *JS_Realloc(void *p, size_t n)
{
	return JS_AllocationFails() ? nullptr : std::realloc(p, n);
}

inline void *JS_Calloc(size_t count, size_t size)
{
	return JS_AllocationFails() ? nullptr : std::calloc(count, size);
}

template <typename T, typename... Args>
T *JS_New(Args &&...args)
{
	if (JS_AllocationFails())
		return nullptr;
	return new (std::nothrow) T(std::forward<Args>(args)...);
}

// Test hook: let `successes` more allocations succeed, then fail (once, or
// from then on).  A negative count ends the fault.
void JS_SetAllocationFault(long successes, bool persistent);

#endif
