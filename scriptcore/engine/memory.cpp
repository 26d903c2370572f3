#include "memory.h"

long js_fault_countdown = -1;
bool js_fault_persistent = false;

void JS_SetAllocationFault(long successes, bool persistent)
{
	js_fault_countdown = successes;
	js_fault_persistent = persistent;
}
